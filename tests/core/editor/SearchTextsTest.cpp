#include "core/editor/SearchTexts.h"

#include "core/editor/GotoLineInput.h"

#include <gtest/gtest.h>

#include <limits>

namespace qw {
namespace {

TEST(SearchTexts, Messages)
{
    EXPECT_EQ(notFoundMessage(QStringLiteral("tag")),
              QString::fromUtf8("Hledané slovo \"tag\" nebylo nalezeno!"));
    EXPECT_EQ(notFoundMessage(QString()), QString::fromUtf8("Hledané slovo \"\" nebylo nalezeno!"));
    EXPECT_EQ(replaceCountMessage(2), QString::fromUtf8("Počet nahrazení : 2."));
    EXPECT_EQ(replaceCountMessage(100000), QString::fromUtf8("Počet nahrazení : 100000."));
}

TEST(GotoLineInput, TitleAndPrompt)
{
    EXPECT_EQ(gotoLineTitle(), QStringLiteral("Jdi na"));
    EXPECT_EQ(gotoLinePrompt(10), QString::fromUtf8("Jdi na řádek 1-11"));
    EXPECT_EQ(gotoLinePrompt(1), QString::fromUtf8("Jdi na řádek 1-2"));
    EXPECT_EQ(gotoLineNotIntegerMessage(),
              QString::fromUtf8("Zadaná hodnota musí být celé číslo!"));
}

TEST(GotoLineInput, ReadsTheNumber)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    struct Case
    {
        const char* input;
        std::optional<int> index;
    };
    const Case cases[] = {
        {"1", 0},
        {"12", 11},
        {" 7 ", 6},
        {"+3", 2},
        {"0", 0},
        {"-5", 0},
        {"99999999999", kMax - 1},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(gotoLineIndex(QString::fromUtf8(c.input)), c.index);
    }
}

} // namespace
} // namespace qw
