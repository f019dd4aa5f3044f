#include "core/transform/TagCase.h"

namespace qw {

namespace {

qsizetype indexOfSpaceOrClose(QStringView text, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u' ' || text[i] == u'>')
            return i;
    }
    return text.size();
}

} // namespace

QString convertTagCase(QStringView text, LetterCase letterCase)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    bool inTag = false;
    // Start of the pending stretch of tag characters still to be converted.
    qsizetype pending = -1;
    auto flush = [&](qsizetype to) {
        if (pending >= 0)
            appendInCase(out, text.mid(pending, to - pending), letterCase);
        pending = -1;
    };

    qsizetype i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'=') {
            flush(i);
            qsizetype end = i + 1;
            if (end < n && text[end] == u'"') {
                const qsizetype quote = text.indexOf(u'"', end + 1);
                end = quote < 0 ? n : quote + 1;
            } else {
                end = indexOfSpaceOrClose(text, end);
            }
            out += text.mid(i, end - i);
            i = end;
            continue;
        }
        if (inTag) {
            if (c == u'>') {
                flush(i);
                out += c;
                inTag = false;
            } else if (pending < 0) {
                pending = i;
            }
        } else if (c == u'<') {
            out += c;
            inTag = !(i + 1 < n && text[i + 1] == u'!');
        } else {
            // Plain text: copied in one piece up to the next "<" or "=".
            qsizetype end = i + 1;
            while (end < n && text[end] != u'<' && text[end] != u'=')
                ++end;
            out += text.mid(i, end - i);
            i = end;
            continue;
        }
        ++i;
    }
    flush(n);
    return out;
}

} // namespace qw
