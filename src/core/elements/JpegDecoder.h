#pragma once

#include <QByteArray>

namespace qw {

// A decoded picture: rows of 8-bit red, green and blue, top row first.
struct RgbPicture
{
    int width = 0;
    int height = 0;
    QByteArray rgb; // width * height * 3 bytes
    bool isNull() const { return width <= 0 || height <= 0; }
};

// Starts with the JPEG start-of-image marker.
bool looksLikeJpeg(const QByteArray& data);

// Decodes a JPEG file's bytes with libjpeg. A corrupt or truncated file, a
// colour model it cannot turn into RGB, or a picture larger than
// maxPixels gives a null picture: a preview shows nothing rather than garbage.
RgbPicture decodeJpeg(const QByteArray& data, qint64 maxPixels = 64 * 1024 * 1024);

} // namespace qw
