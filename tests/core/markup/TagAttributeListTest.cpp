#include "core/markup/TagAttributeList.h"

#include "TagPrinters.h"
#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

constexpr TagCaseOptions lower{true};
constexpr TagCaseOptions upper{false};

TagAttributeList listOf(std::initializer_list<TagAttribute> attributes)
{
    TagAttributeList list;
    for (const TagAttribute& a : attributes) {
        // Bare attributes cannot be set through setTagAttribute; parse them in.
        if (a.value)
            list.setTagAttribute(a.name, *a.value);
        else
            list.parseTagText(u"<x "_s + a.name + u">"_s, TagCaseOptions{});
    }
    return list;
}

TEST(TagAttributeList, StartsEmptyAsRootAndClearsBackToIt)
{
    TagAttributeList list;
    EXPECT_EQ(list.tagName(), u"root"_s);
    EXPECT_FALSE(list.holdsTag());
    list.parseTagText(u"<IMG SRC=a.gif>"_s, lower);
    EXPECT_TRUE(list.holdsTag());
    list.clearTagAttributes();
    EXPECT_EQ(list.tagName(), u"root"_s);
    EXPECT_TRUE(list.attributes().isEmpty());
    // A tag literally named root cannot be told from the empty list.
    list.parseTagText(u"<ROOT a=1>"_s, upper);
    EXPECT_FALSE(list.holdsTag());
}

TEST(TagAttributeList, SetTagAttributeKeepsPlaceAndSpellingAndRemovesOnEmpty)
{
    TagAttributeList list;
    list.setTagAttribute(u"WIDTH", u"3"_s);
    list.setTagAttribute(u"ALT", u""_s); // absent and empty: nothing happens
    list.setTagAttribute(u"HEIGHT", u"4"_s);
    ASSERT_EQ(list.attributes().size(), 2);

    list.setTagAttribute(u"width", u"5"_s);
    EXPECT_EQ(list.attributes()[0], (TagAttribute{u"WIDTH"_s, u"5"_s}));
    EXPECT_EQ(list.attributes()[1], (TagAttribute{u"HEIGHT"_s, u"4"_s}));

    list.setTagAttribute(u"Alt", u"x"_s);
    EXPECT_EQ(list.attributes().last(), (TagAttribute{u"Alt"_s, u"x"_s}));
    list.setTagAttribute(u"ALT", u""_s);
    EXPECT_EQ(list.findTagAttribute(u"alt"), nullptr);
    EXPECT_EQ(list.attributes().size(), 2);

    // Only ASCII letters fold: a national letter must match exactly.
    list.setTagAttribute(u"ČÍSLO", u"1"_s);
    list.setTagAttribute(u"čÍSLO", u"2"_s);
    EXPECT_EQ(list.attributes().size(), 4);
    EXPECT_EQ(list.findTagAttribute(u"čísLO"), nullptr);
    ASSERT_NE(list.findTagAttribute(u"čÍslo"), nullptr);
    EXPECT_EQ(list.findTagAttribute(u"čÍslo")->value, u"2"_s);
}

TEST(TagAttributeList, ApplyTagCaseChangesNamesOnlyAndAsciiOnly)
{
    TagAttributeList list;
    list.parseTagText(u"<Img Src=\"A.GIF\" ŽLuť=Ž>"_s, lower);
    EXPECT_EQ(list.tagName(), u"img"_s);
    EXPECT_EQ(list.attributes()[0], (TagAttribute{u"src"_s, u"A.GIF"_s}));
    EXPECT_EQ(list.attributes()[1], (TagAttribute{u"Žluť"_s, u"Ž"_s}));
    list.applyTagCase(upper);
    EXPECT_EQ(list.tagName(), u"IMG"_s);
    EXPECT_EQ(list.attributes()[0], (TagAttribute{u"SRC"_s, u"A.GIF"_s}));
    EXPECT_EQ(list.attributes()[1], (TagAttribute{u"ŽLUť"_s, u"Ž"_s}));
}

TEST(TagAttributeList, FormatTagAttributes)
{
    struct Case
    {
        const char* what;
        TagAttributeList list;
        QString expected;
    };
    const Case cases[] = {
        {"empty list", TagAttributeList{}, QString()},
        {"bare and empty value differ", listOf({{u"nowrap"_s, std::nullopt}, {u"alt"_s, u"x"_s}}),
         u" nowrap alt=\"x\""_s},
        {"value with a quote is not escaped", listOf({{u"title"_s, u"say \"hi\""_s}}),
         u" title=\"say \"hi\"\""_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.list.formatTagAttributes(), c.expected) << c.what;

    // An empty value is written as an empty quoted value: it comes from a parse.
    TagAttributeList parsed;
    parsed.parseTagText(u"<td width= align=left>"_s, lower);
    EXPECT_EQ(parsed.formatTagAttributes(), u" width=\"\" align=\"left\""_s);
}

TEST(TagAttributeList, BuildTagTextLinkExampleInBothCases)
{
    for (const bool upperTag : {true, false}) {
        MemoryEditor editor(u"12"_s);
        editor.setSelectionStart(1);
        TagAttributeList list;
        list.setTagAttribute(u"HREF", u"index.html"_s);
        list.setTagAttribute(u"TARGET", u""_s);
        list.setTagAttribute(u"TITLE", u"Domů"_s);
        const QString text =
            list.buildTagText(editor, u"a", u"Start"_s, true, true, TagCaseOptions{upperTag});
        const QString expected = upperTag ? u"<a href=\"index.html\" title=\"Domů\">Start</a>"_s
                                          : u"<A HREF=\"index.html\" TITLE=\"Domů\">Start</A>"_s;
        EXPECT_EQ(text, expected);
        EXPECT_EQ(editor.text(), u"1"_s + expected + u"2"_s);
        EXPECT_EQ(editor.textRange(editor.selectionStart() - 5, editor.selectionStart()),
                  u"Start"_s);
        EXPECT_EQ(list.tagName(), u"root"_s);
        EXPECT_TRUE(list.attributes().isEmpty());
    }
}

TEST(TagAttributeList, BuildTagTextReplacesSelectionOrReturnsTextOnly)
{
    MemoryEditor editor(u"x <IMG SRC=old.gif> y"_s);
    editor.setSelectionStart(2);
    editor.setSelectionLength(17);

    // The edit pattern: no insert, no end tag; the dialog replaces the selection.
    TagAttributeList list;
    list.parseTagText(editor.selectedText(), lower);
    list.setTagAttribute(u"SRC", u"new.gif"_s);
    list.setTagAttribute(u"ALT", u"Logo"_s);
    const QString tag = list.buildTagText(editor, u"IMG", QString(), false, false, lower);
    EXPECT_EQ(tag, u"<img src=\"new.gif\" alt=\"Logo\">"_s);
    EXPECT_EQ(editor.text(), u"x <IMG SRC=old.gif> y"_s) << "without insert nothing is written";
    EXPECT_FALSE(list.holdsTag());

    // Inserted without an end tag over a selection: the caret stays after it.
    list.setTagAttribute(u"SIZE", u"2"_s);
    list.buildTagText(editor, u"hr", QString(), false, true, upper);
    EXPECT_EQ(editor.text(), u"x <HR SIZE=\"2\"> y"_s);
    EXPECT_EQ(editor.selectionStart(), 15);
    EXPECT_EQ(editor.selectionLength(), 0);

    // The editor-free form composes the same text and also empties the list.
    list.setTagAttribute(u"ALIGN", u"left"_s);
    EXPECT_EQ(list.buildTagText(u"P", u"t"_s, true, lower), u"<p align=\"left\">t</p>"_s);
    EXPECT_FALSE(list.holdsTag());
}

TEST(TagAttributeList, InsertTagTextKeepsListAndCaretInsideTag)
{
    MemoryEditor editor(u"a <b> c"_s);
    editor.setSelectionStart(2);
    editor.setSelectionLength(3);
    TagAttributeList list;
    list.parseTagText(u"<FONT COLOR=red>"_s, lower);
    list.setTagAttribute(u"SIZE", u"3"_s);
    list.insertTagText(editor, list.tagName(), QString(), false, upper);
    EXPECT_EQ(editor.text(), u"a <FONT COLOR=\"red\" SIZE=\"3\"> c"_s);
    EXPECT_EQ(editor.charAt(editor.selectionStart()), u'>');
    EXPECT_EQ(list.tagName(), u"FONT"_s) << "the list is kept, in the written case";
    EXPECT_EQ(list.attributes().size(), 2);

    // With an end tag the caret is not moved back.
    MemoryEditor other(u"z"_s);
    list.insertTagText(other, u"i", u"t"_s, true, lower);
    EXPECT_EQ(other.text(), u"<i color=\"red\" size=\"3\">t</i>z"_s);
    EXPECT_EQ(other.selectionStart(), other.text().size() - 1);
}

} // namespace
} // namespace qw
