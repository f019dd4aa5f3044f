// The HTML listing over any look and lines: plain ASCII, and a browser's
// reading of the body (tags dropped, references resolved, <BR> a line end)
// gives back every line, a half surrogate pair shown as U+FFFD.

#include "ExportInput.h"
#include "core/highlight/HtmlListingExport.h"

namespace {

// The text a browser shows for the listing's body.
QString shownText(QByteArrayView body)
{
    QString shown;
    qsizetype i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '<') {
            const qsizetype close = body.indexOf('>', i);
            QW_FUZZ_CHECK(close > i);
            if (body.sliced(i, close + 1 - i) == "<BR>")
                shown += u'\n';
            i = close + 1;
        } else if (c == '&') {
            const qsizetype semicolon = body.indexOf(';', i);
            QW_FUZZ_CHECK(semicolon > i);
            const QByteArrayView name = body.sliced(i + 1, semicolon - i - 1);
            if (name == "lt") {
                shown += u'<';
            } else if (name == "gt") {
                shown += u'>';
            } else if (name == "amp") {
                shown += u'&';
            } else if (name == "quot") {
                shown += u'"';
            } else if (name == "nbsp") {
                shown += u' ';
            } else {
                QW_FUZZ_CHECK(name.startsWith('#'));
                bool ok = false;
                const uint code = name.sliced(1).toUInt(&ok);
                QW_FUZZ_CHECK(ok && code <= 0x10FFFF);
                if (QChar::requiresSurrogates(code)) {
                    shown += QChar(QChar::highSurrogate(code));
                    shown += QChar(QChar::lowSurrogate(code));
                } else {
                    shown += QChar(char16_t(code));
                }
            }
            i = semicolon + 1;
        } else {
            if (c != '\r' && c != '\n')
                shown += QChar(char16_t(static_cast<unsigned char>(c)));
            ++i;
        }
    }
    return shown;
}

// The line as it can be shown: a surrogate without its partner becomes U+FFFD.
QString showable(const QString& line)
{
    QString result;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c.isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate()) {
            result += c;
            result += line[++i];
        } else {
            result += c.isSurrogate() ? QChar(QChar::ReplacementCharacter) : c;
        }
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const qw::fuzz::ExportInput in = qw::fuzz::exportInput(data, size);
    const QByteArray html = qw::exportHtmlListing(in.lines, in.look);
    QW_FUZZ_CHECK(qw::fuzz::isAscii(html));
    QW_FUZZ_CHECK(html.endsWith("</DIV>\r\n</BODY>\r\n</HTML>\r\n"));

    const QByteArrayView all(html);
    const qsizetype divAt = all.indexOf("<DIV ALIGN=");
    QW_FUZZ_CHECK(divAt > 0);
    const qsizetype bodyStart = all.indexOf('>', divAt) + 1;
    const qsizetype bodyEnd = all.lastIndexOf("</DIV>");
    QString expected;
    for (const QString& line : in.lines)
        expected += showable(line) + u'\n';
    QW_FUZZ_CHECK(shownText(all.sliced(bodyStart, bodyEnd - bodyStart)) == expected);
    return 0;
}
