#include "core/builders/HtmlList.h"

#include "core/builders/MemoLines.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(HtmlList, BuildsStartTagItemsAndEndTagInTheChosenCase)
{
    struct Case
    {
        const char* name;
        HtmlListOptions options;
        QString expected;
    };
    const Case cases[] = {
        {"upper case ordered",
         {ListStyle::Ordered, u"i"_s, {u"Jedna"_s, u"Dvě"_s}, false},
         u"<OL TYPE=\"i\">\r\n\t<LI>Jedna\r\n\t<LI>Dvě\r\n</OL>\r\n"_s},
        {"lower case unordered",
         {ListStyle::Unordered, u"square"_s, {u"a"_s}, true},
         u"<ul type=\"square\">\r\n\t<li>a\r\n</ul>\r\n"_s},
        {"empty field",
         {ListStyle::Unordered, u"disc"_s, {}, false},
         u"<UL TYPE=\"disc\">\r\n</UL>\r\n"_s},
        {"empty line kept",
         {ListStyle::Ordered, u"1"_s, {u"a"_s, u""_s, u"b"_s}, true},
         u"<ol type=\"1\">\r\n\t<li>a\r\n\t<li>\r\n\t<li>b\r\n</ol>\r\n"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(buildHtmlList(c.options), c.expected);
    }
}

TEST(HtmlList, TypeItemsDependOnStyleAndStartWithTheDefault)
{
    EXPECT_EQ(listTypeItems(ListStyle::Unordered),
              (QStringList{u"disc"_s, u"square"_s, u"circle"_s}));
    EXPECT_EQ(listTypeItems(ListStyle::Ordered),
              (QStringList{u"1"_s, u"a"_s, u"A"_s, u"i"_s, u"I"_s}));
    EXPECT_EQ(HtmlListOptions{}.type, listTypeItems(ListStyle::Unordered).first());
}

TEST(MemoLines, SplitsAtEveryBreakKindWithoutATrailingEmptyLine)
{
    struct Case
    {
        QString text;
        QStringList lines;
    };
    const Case cases[] = {
        {u""_s, {}},
        {u"a"_s, {u"a"_s}},
        {u"a\r\n"_s, {u"a"_s}},
        {u"\r\n"_s, {u""_s}},
        {u"a\r\n\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\nb\rc\r\nd"_s, {u"a"_s, u"b"_s, u"c"_s, u"d"_s}},
        {u"a\n\rb"_s, {u"a"_s, u""_s, u"b"_s}}, // LF then CR is two breaks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(memoLines(c.text), c.lines);
    }
}

} // namespace
} // namespace qw
