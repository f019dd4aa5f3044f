#include "core/transform/LineTransforms.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

constexpr auto LineBreak = "\r\n"_L1;

// Calls f for every line of text: breaks are CR LF, CR or LF, and a break at
// the very end does not open one more (empty) line.
template<typename F> void forEachLine(QStringView text, F f)
{
    const qsizetype n = text.size();
    qsizetype from = 0;
    while (from < n) {
        qsizetype end = from;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        f(text.mid(from, end - from));
        if (end < n && text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n')
            ++end;
        from = end + 1;
    }
}

// Blank as the table tool sees it: nothing but spaces and control characters.
bool isBlank(QStringView line)
{
    for (QChar c : line) {
        if (c.unicode() > u' ')
            return false;
    }
    return true;
}

} // namespace

QString removeSurplusLines(QStringView text)
{
    constexpr auto pair = "\r\n\r\n"_L1;
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    while (true) {
        const qsizetype at = text.indexOf(pair, from);
        if (at < 0)
            break;
        out += text.mid(from, at - from);
        out += LineBreak;
        from = at + pair.size();
    }
    out += text.mid(from);
    return out;
}

QString textToTable(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 4 + 32);
    out += "<table>"_L1;
    out += LineBreak;
    forEachLine(text, [&out](QStringView line) {
        if (isBlank(line)) {
            out += "    <tr><td>&nbsp;</td></tr>"_L1;
        } else {
            out += "    <tr><td>"_L1;
            out += line;
            out += "</td></tr>"_L1;
        }
        out += LineBreak;
    });
    out += "</table>"_L1;
    out += LineBreak;
    return out;
}

QString addLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 4 + 8);
    forEachLine(text, [&out](QStringView line) {
        out += line;
        out += "<br>"_L1;
        out += LineBreak;
    });
    return out;
}

} // namespace qw
