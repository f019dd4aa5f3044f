#pragma once

#include <QString>

namespace qw {

// The option count of the select page as the dialog reads it: an empty field
// is first set to "0" (fieldText is what the field shows afterwards); text
// that is not a whole number counts as 0; the count is capped at
// kMaxSelectOptions so a long row of digits cannot ask for gigabytes of text.
struct SelectOptionCount
{
    int count = 0;
    QString fieldText;
};

inline constexpr int kMaxSelectOptions = 10000;

SelectOptionCount readSelectOptionCount(const QString& fieldText);

// The OPTION lines that open a new SELECT element: a CR LF, then one line per
// option, each a tab, the option and CR LF. The first option (value 1) is
// always there and marked SELECTED, so a count of 0 or 1 gives one option.
// Fixed lower case with SELECTED in upper case, whatever the tag-case setting.
QString buildSelectOptions(int count);

} // namespace qw
