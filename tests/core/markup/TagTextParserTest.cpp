#include "TagPrinters.h"
#include "core/markup/TagAttributeList.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

struct ParseCase
{
    const char* what;
    QString tag;
    QString currentName; // returned, upper case
    QString listName;    // lower case (the default setting)
    std::vector<TagAttribute> attributes;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.what;
}

TagAttribute bare(const QString& name)
{
    return {name, std::nullopt};
}
TagAttribute valued(const QString& name, const QString& value)
{
    return {name, value};
}

class TagTextParse : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(TagTextParse, GivesNameAndAttributes)
{
    const ParseCase& c = GetParam();
    TagAttributeList list;
    list.clearTagAttributes();
    EXPECT_EQ(list.parseTagText(c.tag, TagCaseOptions{true}), c.currentName);
    EXPECT_EQ(list.tagName(), c.listName);
    const std::vector<TagAttribute> got(list.attributes().begin(), list.attributes().end());
    EXPECT_EQ(got, c.attributes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagTextParse,
    ::testing::Values(
        ParseCase{"quoted value with a space, unquoted value, bare word",
                  u"<IMG SRC=\"a b.gif\" WIDTH=10 nowrap>"_s,
                  u"IMG"_s,
                  u"img"_s,
                  {valued(u"src"_s, u"a b.gif"_s), valued(u"width"_s, u"10"_s), bare(u"nowrap"_s)}},
        ParseCase{"no attributes", u"<BR>"_s, u"BR"_s, u"br"_s, {}},
        ParseCase{"end tag", u"</a>"_s, u"/A"_s, u"/a"_s, {}},
        ParseCase{"comment words become bare attributes",
                  u"<!-- hello world -->"_s,
                  u"!--"_s,
                  u"!--"_s,
                  {bare(u"hello"_s), bare(u"world"_s), bare(u"--"_s)}},
        ParseCase{"a line break is deleted, not a separator",
                  u"<img\r\nsrc=x.gif>"_s,
                  u"IMGSRC=X.GIF"_s,
                  u"imgsrc=x.gif"_s,
                  {}},
        ParseCase{
            "a tab does not separate", u"<td\tnowrap>"_s, u"TD\tNOWRAP"_s, u"td\tnowrap"_s, {}},
        ParseCase{"single quotes are not quotes",
                  u"<img alt='a b'>"_s,
                  u"IMG"_s,
                  u"img"_s,
                  {valued(u"alt"_s, u"'a"_s), bare(u"b'"_s)}},
        ParseCase{"a lone quoted value loses its quotes in the cleaning",
                  u"<a href=\"x.html\">"_s,
                  u"A"_s,
                  u"a"_s,
                  {valued(u"href"_s, u"x.html"_s)}},
        ParseCase{"two quoted values",
                  u"<a href=\"x\" title=\"y z\">"_s,
                  u"A"_s,
                  u"a"_s,
                  {valued(u"href"_s, u"x"_s), valued(u"title"_s, u"y z"_s)}},
        ParseCase{"the first \">\" after the name goes, even inside a value",
                  u"<img src=\"a>b\" x>"_s,
                  u"IMG"_s,
                  u"img"_s,
                  {valued(u"src"_s, u"ab"_s), bare(u"x>"_s)}},
        ParseCase{"an unclosed quote costs the next character",
                  u"<img alt=\"a b>"_s,
                  u"IMG"_s,
                  u"img"_s,
                  {valued(u"lt"_s, u"a"_s), bare(u"b"_s)}},
        ParseCase{"an empty value stays a value",
                  u"<td width= align=left>"_s,
                  u"TD"_s,
                  u"td"_s,
                  {valued(u"width"_s, u""_s), valued(u"align"_s, u"left"_s)}},
        ParseCase{"a space before \"=\" splits name from value",
                  u"<img alt =\"x y\">"_s,
                  u"IMG"_s,
                  u"img"_s,
                  {bare(u"alt"_s), valued(u""_s, u"x y"_s)}},
        ParseCase{"only the first \"=\" divides",
                  u"<a b=c=d>"_s,
                  u"A"_s,
                  u"a"_s,
                  {valued(u"b"_s, u"c=d"_s)}},
        ParseCase{"duplicates are all kept",
                  u"<a x=1 X=2>"_s,
                  u"A"_s,
                  u"a"_s,
                  {valued(u"x"_s, u"1"_s), valued(u"x"_s, u"2"_s)}},
        ParseCase{"quote removal gives up past half the entry",
                  u"<x \"\"\"\"\">"_s,
                  u"X"_s,
                  u"x"_s,
                  {bare(u"\"\""_s)}},
        ParseCase{"no closing bracket and no space: no name, the word stays",
                  u"<img"_s,
                  u""_s,
                  u""_s,
                  {bare(u"img"_s)}},
        ParseCase{"no tag text at all", u""_s, u""_s, u""_s, {}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST(TagTextParse, AppendsToTheListAndAppliesTheCase)
{
    TagAttributeList list;
    list.setTagAttribute(u"Kept", u"1"_s);
    EXPECT_EQ(list.parseTagText(u"<Input Type=Text>"_s, TagCaseOptions{false}), u"INPUT"_s);
    EXPECT_EQ(list.tagName(), u"INPUT"_s);
    const std::vector<TagAttribute> got(list.attributes().begin(), list.attributes().end());
    EXPECT_EQ(got, (std::vector{valued(u"KEPT"_s, u"1"_s), valued(u"TYPE"_s, u"Text"_s)}));
}

TEST(TagTextParse, WrittenTagReadsBackTheSame)
{
    // What the writer produces, the reader must give back: the inspector
    // rewrites a tag after every key and reads it again at the next.
    TagAttributeList list;
    list.setTagAttribute(u"SRC", u"a b.gif"_s);
    list.setTagAttribute(u"ALT", u"x=y"_s);
    list.setTagAttribute(u"WIDTH", u"10"_s);
    list.parseTagText(u"<i nowrap>"_s, TagCaseOptions{});
    const std::vector<TagAttribute> before(list.attributes().begin(), list.attributes().end());
    const QString text = list.buildTagText(u"img", QString(), false, TagCaseOptions{false});
    EXPECT_EQ(text, u"<IMG SRC=\"a b.gif\" ALT=\"x=y\" WIDTH=\"10\" NOWRAP>"_s);
    list.parseTagText(text, TagCaseOptions{true});
    std::vector<TagAttribute> expected = before;
    for (TagAttribute& a : expected)
        a.name = a.name.toLower();
    const std::vector<TagAttribute> after(list.attributes().begin(), list.attributes().end());
    EXPECT_EQ(after, expected);
}

} // namespace
} // namespace qw
