#include "core/builders/SelectOptions.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace qw {

SelectOptionCount readSelectOptionCount(const QString& fieldText)
{
    SelectOptionCount result;
    result.fieldText = fieldText.isEmpty() ? u"0"_s : fieldText;
    bool ok = false;
    const int value = result.fieldText.toInt(&ok);
    result.count = ok ? std::clamp(value, 0, kMaxSelectOptions) : 0;
    return result;
}

QString buildSelectOptions(int count)
{
    const int last = std::clamp(count, 1, kMaxSelectOptions);
    QString text;
    text.reserve(48 + qsizetype(last) * 40);
    text += "\r\n\t<option value=\"1\" SELECTED></option>\r\n"_L1;
    for (int n = 2; n <= last; ++n)
        text += "\t<option value=\""_L1 + QString::number(n) + "\"></option>\r\n"_L1;
    return text;
}

} // namespace qw
