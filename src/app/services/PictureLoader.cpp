#include "app/services/PictureLoader.h"

#include "core/elements/JpegDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace qw {

namespace {
// Previews are of pictures for web pages; anything past these is refused
// rather than read into memory.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxPixels = 40 * 1000 * 1000;
} // namespace

QImage loadPicture(const QString& path)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return {};
    QByteArray data = file.read(kMaxFileBytes);
    if (looksLikeJpeg(data)) {
        const RgbPicture picture = decodeJpeg(data, kMaxPixels);
        if (picture.isNull())
            return {};
        return QImage(reinterpret_cast<const uchar*>(picture.rgb.constData()), picture.width,
                      picture.height, qsizetype(picture.width) * 3, QImage::Format_RGB888)
            .copy();
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPixels)
        return {};
    return reader.read();
}

} // namespace qw
