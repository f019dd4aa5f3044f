#include "core/editor/GotoLineInput.h"

#include <algorithm>
#include <limits>

namespace qw {

using namespace Qt::StringLiterals;

QString gotoLineTitle()
{
    return u"Jdi na"_s;
}

QString gotoLinePrompt(int lineCount)
{
    return u"Jdi na řádek 1-"_s + QString::number(static_cast<qint64>(lineCount) + 1);
}

QString gotoLineNotIntegerMessage()
{
    return u"Zadaná hodnota musí být celé číslo!"_s;
}

std::optional<int> gotoLineIndex(const QString& input)
{
    const QString trimmed = input.trimmed();
    // toLongLong would also take a leading "0x" with base 0; base 10 keeps it
    // to plain decimal digits.
    bool ok = false;
    const qlonglong number = trimmed.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    const qlonglong index = std::clamp<qlonglong>(number, 1, std::numeric_limits<int>::max()) - 1;
    return static_cast<int>(index);
}

} // namespace qw
