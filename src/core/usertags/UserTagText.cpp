#include "core/usertags/UserTagText.h"

#include "core/text/TextLines.h"

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
    return splitTextLines(text);
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
