#include "core/text/TextLines.h"

namespace qw {

QStringList splitTextLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.sliced(start).toString());
    return lines;
}

QString withCrLfBreaks(QStringView text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text.toString();
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += QLatin1StringView("\r\n");
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace qw
