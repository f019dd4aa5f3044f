#include "core/text/DownloadedPage.h"

#include "core/text/TextLines.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1250.h"

#include <QList>
#include <QString>
#include <QStringDecoder>

namespace qw {

namespace {

bool isUtf8Name(const QByteArray& charset)
{
    return charset == "utf-8" || charset == "utf8";
}

bool isWindows1250Name(const QByteArray& charset)
{
    return charset == "windows-1250" || charset == "cp1250" || charset == "x-cp1250";
}

bool isUnicodeName(const QByteArray& charset)
{
    return charset.contains("utf") || charset.startsWith("ucs");
}

// Text decoded in one piece, in the form decodeDocument gives: every line
// followed by CR LF.
DecodedDocument editorLines(QStringView text, TextEncoding encoding)
{
    DecodedDocument result;
    result.encoding = encoding;
    if (text.isEmpty())
        return result;
    result.text = withCrLfBreaks(text);
    if (!result.text.endsWith(QLatin1StringView("\r\n")))
        result.text += QLatin1StringView("\r\n");
    return result;
}

} // namespace

QByteArray contentTypeCharset(QByteArrayView contentType)
{
    const QList<QByteArray> parts = contentType.toByteArray().split(';');
    // The first part is the media type itself.
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray part = parts[i].trimmed();
        const qsizetype eq = part.indexOf('=');
        if (eq < 0 || part.left(eq).trimmed().toLower() != "charset")
            continue;
        QByteArray value = part.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2).trimmed();
        return value.toLower();
    }
    return {};
}

DecodedDocument decodeDownloadedPage(QByteArrayView bytes, QByteArrayView contentType)
{
    if (bytes.startsWith(kUtf8Bom) && scanUtf8(bytes.sliced(kUtf8Bom.size())).valid)
        return decodeDocument(bytes);
    const QByteArray charset = contentTypeCharset(contentType);
    if (charset.isEmpty())
        return decodeDocument(bytes);
    if (isUtf8Name(charset)) {
        if (scanUtf8(bytes).valid) {
            // Plain ASCII reads the same either way; only the saving differs.
            DecodedDocument result = decodeDocument(bytes);
            result.encoding = TextEncoding::Utf8;
            return result;
        }
        QStringDecoder decoder(QStringDecoder::Utf8);
        return editorLines(QString(decoder(bytes)), TextEncoding::Utf8);
    }
    if (isWindows1250Name(charset))
        return editorLines(decodeWindows1250(bytes), TextEncoding::Windows1250);
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid())
        return decodeDocument(bytes);
    return editorLines(QString(decoder(bytes)),
                       isUnicodeName(charset) ? TextEncoding::Utf8 : TextEncoding::Windows1250);
}

} // namespace qw
