#pragma once

#include <QString>

namespace qw {

// The quick-table dialog's values. They persist for the whole run, starting
// from these defaults; each count is kept within 1..100 like its spin field.
struct QuickTableOptions
{
    int rows = 2;
    int columns = 2;
    QString align; // left out of the tag when empty
    int border = 1;
    int cellPadding = 1;
    int cellSpacing = 2;
};

inline constexpr int kQuickTableMinimum = 1;
inline constexpr int kQuickTableMaximum = 100;

// The attribute text of the TABLE tag, each attribute led by one space:
//  align="A" border="B" cellpadding="P" cellspacing="S"
// (the design view takes it as the table's attributes as well).
QString quickTableAttributes(const QuickTableOptions& options);

// The whole grid of empty cells, fixed lower case whatever the tag-case
// setting, every line ended by CR LF. It replaces the selection and the caret
// ends after it.
QString buildQuickTable(const QuickTableOptions& options);

} // namespace qw
