#include "core/text/DocumentFile.h"

#include "core/text/DocumentText.h"
#include "core/text/TextCheck.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <new>

namespace qw {

DocumentReadResult readDocumentFile(const QString& path)
{
    DocumentReadResult result;
    // A pipe or a device would block the open or never end; only plain files
    // (and directories, which QFile refuses with its own reason) go on.
    if (const QFileInfo info(path); info.exists() && !info.isFile() && !info.isDir()) {
        result.errorText = qt_error_string(EINVAL);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.errorText = file.errorString();
        return result;
    }
    // A file too large for memory must end in a message, not a crash.
    try {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            result.errorText = file.errorString();
            return result;
        }
        result.looksLikeText = looksLikeText(bytes);
        DecodedDocument decoded = decodeDocument(bytes);
        result.text = std::move(decoded.text);
        result.encoding = decoded.encoding;
    } catch (const std::bad_alloc&) {
        result.text.clear();
        result.errorText = qt_error_string(ENOMEM);
        return result;
    }
    result.ok = true;
    return result;
}

FileWriteResult writeDocumentFile(const QString& path, QStringView text, LineBreak lineBreak,
                                  TextEncoding encoding)
{
    QByteArray bytes;
    try {
        bytes = encodeDocument(text, lineBreak, encoding);
    } catch (const std::bad_alloc&) {
        return {false, qt_error_string(ENOMEM)};
    }
    return writeFileAtomically(path, bytes);
}

} // namespace qw
