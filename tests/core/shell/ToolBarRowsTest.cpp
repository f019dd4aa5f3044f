#include "core/shell/ToolBarRows.h"

#include <gtest/gtest.h>

#include <vector>

namespace qw {
namespace {

using enum ToolBarId;

struct RowsCase
{
    const char* name;
    std::vector<DockedPlace> places;
    QList<QList<ToolBarId>> rows;
};

TEST(ToolBarRows, DockedBarsFormRowsByTopThenLeft)
{
    const RowsCase cases[] = {
        {"the default places",
         {{Edit, 11, 28},
          {Head, 147, 28},
          {Tool, 11, 2},
          {Table, 258, 54},
          {Fonts, 266, 2},
          {Input, 11, 54},
          {Script, 453, 28}},
         {{Tool, Fonts}, {Edit, Head, Script}, {Input, Table}}},
        // Tops a few pixels apart still share a row; left decides the order.
        {"near tops", {{Tool, 300, 2}, {Edit, 11, 5}, {Head, 150, 14}}, {{Edit, Tool}, {Head}}},
        {"one bar", {{Script, 0, 0}}, {{Script}}},
        {"none", {}, {}},
    };
    for (const RowsCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dockedRows(c.places), c.rows);
    }
}

TEST(ToolBarRows, MissingPositionTakesTheDefaultPlace)
{
    ToolBarLayout layout;
    layout.left = 500;
    const DockedPlace place = dockedPlace(Fonts, layout);
    EXPECT_EQ(place.left, 500);
    EXPECT_EQ(place.top, 2);
}

} // namespace
} // namespace qw
