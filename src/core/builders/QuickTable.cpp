#include "core/builders/QuickTable.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace qw {

namespace {

// Values arrive from spin fields; a caller that bypasses them must not be
// able to ask for a grid of millions of cells.
int clampCount(int value)
{
    return std::clamp(value, kQuickTableMinimum, kQuickTableMaximum);
}

QString attribute(QLatin1StringView name, const QString& value)
{
    return u" "_s + name + u"=\""_s + value + u"\""_s;
}

} // namespace

QString quickTableAttributes(const QuickTableOptions& options)
{
    QString text;
    if (!options.align.isEmpty())
        text += attribute("align"_L1, options.align);
    text += attribute("border"_L1, QString::number(clampCount(options.border)));
    text += attribute("cellpadding"_L1, QString::number(clampCount(options.cellPadding)));
    text += attribute("cellspacing"_L1, QString::number(clampCount(options.cellSpacing)));
    return text;
}

QString buildQuickTable(const QuickTableOptions& options)
{
    const int rows = clampCount(options.rows);
    const int columns = clampCount(options.columns);
    const auto rowStart = "  <tr>\r\n"_L1;
    const auto cell = "    <td>&nbsp;</td>\r\n"_L1;
    const auto rowEnd = "  </tr>\r\n"_L1;

    QString text;
    text.reserve(64 + rows * (rowStart.size() + rowEnd.size() + columns * cell.size()));
    text += u"<table"_s + quickTableAttributes(options) + u">\r\n"_s;
    for (int r = 0; r < rows; ++r) {
        text += rowStart;
        for (int c = 0; c < columns; ++c)
            text += cell;
        text += rowEnd;
    }
    text += "</table>\r\n"_L1;
    return text;
}

} // namespace qw
