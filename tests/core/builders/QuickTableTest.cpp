#include "core/builders/QuickTable.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(QuickTable, DefaultsGiveTwoByTwoGridWithCrLfLines)
{
    const QString expected = u"<table border=\"1\" cellpadding=\"1\" cellspacing=\"2\">\r\n"
                             "  <tr>\r\n"
                             "    <td>&nbsp;</td>\r\n"
                             "    <td>&nbsp;</td>\r\n"
                             "  </tr>\r\n"
                             "  <tr>\r\n"
                             "    <td>&nbsp;</td>\r\n"
                             "    <td>&nbsp;</td>\r\n"
                             "  </tr>\r\n"
                             "</table>\r\n"_s;
    EXPECT_EQ(buildQuickTable({}), expected);
}

TEST(QuickTable, AlignComesFirstAndOtherValuesFollowTheFields)
{
    QuickTableOptions options;
    options.align = u"center"_s;
    options.border = 3;
    options.cellPadding = 4;
    options.cellSpacing = 5;
    EXPECT_EQ(quickTableAttributes(options),
              u" align=\"center\" border=\"3\" cellpadding=\"4\" cellspacing=\"5\""_s);
    EXPECT_TRUE(buildQuickTable(options).startsWith(
        u"<table align=\"center\" border=\"3\" cellpadding=\"4\" cellspacing=\"5\">\r\n"_s));
}

TEST(QuickTable, GridShapeFollowsRowsAndColumnsWithinSpinRange)
{
    struct Case
    {
        int rows, columns;
        qsizetype expectedRows, expectedCells;
    };
    const Case cases[] = {
        {1, 100, 1, 100}, // one row line, a hundred cells
        {3, 1, 3, 3},
        {0, -5, 1, 1},      // below the spin range: one row of one cell
        {500, 2, 100, 200}, // above it: the largest grid the dialog allows
    };
    for (const Case& c : cases) {
        QuickTableOptions options;
        options.rows = c.rows;
        options.columns = c.columns;
        const QString text = buildQuickTable(options);
        SCOPED_TRACE(testing::Message() << c.rows << " x " << c.columns);
        EXPECT_EQ(text.count(u"\r\n  <tr>\r\n"_s), c.expectedRows);
        EXPECT_EQ(text.count(u"  </tr>\r\n"_s), c.expectedRows);
        EXPECT_EQ(text.count(u"\r\n    <td>&nbsp;</td>\r\n"_s), c.expectedCells);
        EXPECT_EQ(text.count(u"\r\n"_s), 2 + 2 * c.expectedRows + c.expectedCells);
        EXPECT_TRUE(text.endsWith(u"  </tr>\r\n</table>\r\n"_s));
    }
}

} // namespace
} // namespace qw
