#include "core/markup/DocumentType.h"

namespace qw {

namespace {

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

void skipSpaces(QStringView text, qsizetype& at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
}

bool takeWord(QStringView text, qsizetype& at, QStringView word)
{
    if (!text.sliced(at).startsWith(word, Qt::CaseInsensitive))
        return false;
    at += word.size();
    return true;
}

} // namespace

bool isHtml5Document(QStringView text)
{
    text = text.first(std::min(text.size(), kDoctypeSearchLength));
    qsizetype at = 0;
    if (at < text.size() && text[at] == QChar(0xFEFF))
        ++at;
    for (;;) {
        skipSpaces(text, at);
        if (!text.sliced(at).startsWith(u"<!--"))
            break;
        const qsizetype end = text.indexOf(u"-->", at + 4);
        if (end < 0)
            return false;
        at = end + 3;
    }
    if (!takeWord(text, at, u"<!DOCTYPE"))
        return false;
    const qsizetype afterKeyword = at;
    skipSpaces(text, at);
    if (at == afterKeyword || !takeWord(text, at, u"html"))
        return false;
    const qsizetype afterName = at;
    skipSpaces(text, at);
    if (at < text.size() && text[at] == u'>')
        return true;
    if (at == afterName || !takeWord(text, at, u"SYSTEM"))
        return false;
    skipSpaces(text, at);
    if (at >= text.size() || (text[at] != u'"' && text[at] != u'\''))
        return false;
    const QChar quote = text[at];
    const qsizetype close = text.indexOf(quote, at + 1);
    if (close < 0 || text.sliced(at + 1, close - at - 1) != u"about:legacy-compat")
        return false;
    at = close + 1;
    skipSpaces(text, at);
    return at < text.size() && text[at] == u'>';
}

} // namespace qw
