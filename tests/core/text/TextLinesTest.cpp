#include "core/text/TextLines.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(TextLines, SplitLikeAStringListLoadsText)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb\nc\r\n", {"a", "b", "c"}},
        {"\n\r", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(splitTextLines(c.text), c.lines);
    }
}

TEST(TextLines, EveryBreakBecomesCrLf)
{
    struct Case
    {
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},
        {"\n\r", "\r\n\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(withCrLfBreaks(c.text), c.expected);
    }
}

} // namespace
} // namespace qw
