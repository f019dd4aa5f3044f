#include "core/text/DocumentText.h"

#include "core/text/CharsetDeclaration.h"
#include "core/text/Utf8.h"
#include "core/text/Windows1250.h"

namespace qw {

namespace {

bool isBreakByte(unsigned char b)
{
    return b == '\r' || b == '\n';
}

qsizetype countBreakBytes(QByteArrayView bytes)
{
    qsizetype n = 0;
    for (const char c : bytes)
        n += (c == '\r') + (c == '\n');
    return n;
}

// Only called for plain ASCII, so Latin-1 gives the very characters.
bool declaresUtf8(QByteArrayView asciiBytes)
{
    const QByteArrayView head = asciiBytes.first(std::min(asciiBytes.size(), kCharsetSearchLength));
    return declaredEncoding(QString::fromLatin1(head)) == TextEncoding::Utf8;
}

} // namespace

DetectedEncoding detectDocumentEncoding(QByteArrayView fileBytes)
{
    DetectedEncoding result;
    result.decodedLength = fileBytes.size();
    // The same scan that detects UTF-8 also sizes its decoded text.
    if (fileBytes.startsWith(kUtf8Bom)) {
        const QByteArrayView rest = fileBytes.sliced(kUtf8Bom.size());
        if (const Utf8Scan scan = scanUtf8(rest); scan.valid) {
            result.encoding = TextEncoding::Utf8Bom;
            result.contentStart = kUtf8Bom.size();
            result.decodedLength = scan.utf16Length;
        }
    } else if (const Utf8Scan scan = scanUtf8(fileBytes); scan.valid && scan.hasMultiByte) {
        result.encoding = TextEncoding::Utf8;
        result.decodedLength = scan.utf16Length;
    } else if (scan.valid && declaresUtf8(fileBytes)) {
        // Plain ASCII reads the same either way, but a page that says it is
        // UTF-8 must stay so once a Czech letter is typed into it.
        result.encoding = TextEncoding::Utf8;
    }
    return result;
}

DecodedDocument decodeDocument(QByteArrayView fileBytes)
{
    DecodedDocument result;
    const DetectedEncoding detected = detectDocumentEncoding(fileBytes);
    result.encoding = detected.encoding;
    const QByteArrayView content = fileBytes.sliced(detected.contentStart);
    const qsizetype decodedLength = detected.decodedLength;
    if (content.isEmpty())
        return result;

    // A lone CR or LF grows by one character, a CR LF stays, and a last line
    // without a break gains two: this bounds the text from above.
    QString& text = result.text;
    text.resize(decodedLength + countBreakBytes(content) + 2);
    auto* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;

    const bool utf8 = result.encoding != TextEncoding::Windows1250;
    const auto* p = reinterpret_cast<const unsigned char*>(content.data());
    const auto* const end = p + content.size();
    while (p != end) {
        // CR and LF are never part of a multi-byte UTF-8 character, so a
        // line's bytes always decode on their own.
        const auto* q = p;
        while (q != end && !isBreakByte(*q))
            ++q;
        const QByteArrayView line(p, q - p);
        out = utf8 ? decodeValidUtf8Into(line, out) : decodeWindows1250Into(line, out);
        *out++ = u'\r';
        *out++ = u'\n';
        if (q == end)
            break;
        p = (*q == '\r' && q + 1 != end && q[1] == '\n') ? q + 2 : q + 1;
    }
    text.truncate(out - begin);
    return result;
}

QByteArray encodeDocument(QStringView text, LineBreak lineBreak, TextEncoding encoding)
{
    QByteArray out;
    // Right for most Windows-1250 documents; UTF-8 and references grow it.
    out.reserve(text.size() + kUtf8Bom.size());
    if (encoding == TextEncoding::Utf8Bom)
        out.append(kUtf8Bom);
    const QByteArrayView breakBytes = lineBreakBytes(lineBreak);
    const auto appendLine = [&](QStringView line) {
        if (encoding == TextEncoding::Windows1250)
            appendWindows1250(out, line);
        else
            appendUtf8(out, line);
    };
    qsizetype lineStart = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype cr = text.indexOf(u'\r', from);
        if (cr < 0)
            break;
        from = cr + 1;
        if (from == text.size() || text[from] != u'\n')
            continue; // a lone CR is part of the line
        appendLine(text.sliced(lineStart, cr - lineStart));
        out.append(breakBytes);
        lineStart = from = cr + 2;
    }
    appendLine(text.sliced(lineStart));
    return out;
}

} // namespace qw
