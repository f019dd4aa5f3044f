#include "core/usertags/UserTagText.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

QString crLfLines(const QString& text)
{
    const QStringList lines = userTagLines(text);
    QString out;
    out.reserve(text.size() + lines.size() + 2);
    for (const QString& line : lines)
        out += line + "\r\n"_L1;
    return out;
}

} // namespace

QStringList userTagLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString userTagFileText(const QString& fieldText)
{
    return crLfLines(fieldText);
}

QString userTagFieldText(const QString& fileText)
{
    return userTagLines(fileText).join(u'\n');
}

UserTagInsertion userTagInsertion(const QString& startFileText, const QString& endFileText)
{
    UserTagInsertion texts{crLfLines(startFileText), crLfLines(endFileText)};
    if (texts.start.endsWith("\r\n"_L1))
        texts.start.chop(2);
    return texts;
}

} // namespace qw
