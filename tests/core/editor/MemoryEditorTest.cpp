#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

// Ranges that break the sorted, non-overlapping promise must not make the
// editor read outside its text; each is clamped to what is left of it.
TEST(MemoryEditor, ReplaceRangesClampsBrokenRanges)
{
    struct Case
    {
        const char* name;
        QList<EditorWidget::Range> ranges;
        const char* text;
    };
    const Case cases[] = {
        {"overlapping", {{0, 3}, {1, 4}}, "xxef"}, {"out of order", {{4, 5}, {0, 1}}, "abcdxxf"},
        {"past the end", {{5, 50}}, "abcdex"},     {"negative", {{-4, 1}}, "xbcdef"},
        {"inverted", {{3, 1}}, "abcxdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryEditor e(QStringLiteral("abcdef"));
        e.replaceRanges(c.ranges, QStringLiteral("x"));
        EXPECT_EQ(e.text(), QString::fromUtf8(c.text));
        EXPECT_LE(e.selectionStart(), e.length());
    }
}

} // namespace
} // namespace qw
