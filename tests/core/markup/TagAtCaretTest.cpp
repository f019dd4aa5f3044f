#include "core/markup/TagAtCaret.h"

#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// The text with "|" where the caret stands.
MemoryEditor editorWithCaret(const QString& marked)
{
    const qsizetype caret = marked.indexOf(u'|');
    MemoryEditor editor(QString(marked).remove(caret, 1));
    editor.setSelectionStart(caret);
    return editor;
}

struct CaretCase
{
    const char* what;
    QString marked;
    bool found;
    bool parsed;
    QString name;     // current tag name when parsed
    QString selected; // what select selects: the tag from "<" to its end
    EditTagEntry entry;
};

void PrintTo(const CaretCase& c, std::ostream* os)
{
    *os << c.what;
}

const QString link = u"<a href=\"x.html\" title=\"Domů\">"_s;

class TagAtCaretCase : public ::testing::TestWithParam<CaretCase>
{
};

TEST_P(TagAtCaretCase, FindsParsesAndSelects)
{
    const CaretCase& c = GetParam();
    for (const bool select : {false, true}) {
        MemoryEditor editor = editorWithCaret(c.marked);
        const qsizetype caret = editor.selectionStart();
        CaretTagState state;
        const TagAtCaret result = findTagAtCaret(editor, select, state, TagCaseOptions{});
        EXPECT_EQ(result.found, c.found);
        EXPECT_EQ(result.parsed, c.parsed);
        EXPECT_EQ(result.editTagEntry, c.entry);
        if (c.parsed) {
            EXPECT_EQ(result.name, c.name);
            EXPECT_EQ(state.currentTagName, c.name);
            EXPECT_TRUE(state.attributes.holdsTag() ||
                        c.name.compare(u"root"_s, Qt::CaseInsensitive) == 0);
        } else {
            EXPECT_FALSE(state.attributes.holdsTag());
        }
        if (c.found) {
            EXPECT_EQ(editor.textRange(result.start, result.end + 1), c.selected);
            EXPECT_EQ(result.text.mid(1, result.text.size() - 2),
                      c.selected.mid(1, c.selected.size() - 2));
        }
        if (select && c.found) {
            EXPECT_EQ(editor.selectionStart(), result.start);
            EXPECT_EQ(editor.selectedText(), c.selected);
        } else {
            EXPECT_EQ(editor.selectionStart(), caret) << "the caret does not move";
            EXPECT_EQ(editor.selectionLength(), 0);
        }
    }
}

using E = EditTagEntry;
INSTANTIATE_TEST_SUITE_P(
    Positions, TagAtCaretCase,
    ::testing::Values(
        CaretCase{"inside a start tag", u"<p>Hi <a hr|ef=\"x.html\" title=\"Domů\">Start</a></p>"_s,
                  true, true, u"A"_s, link, E::Enabled},
        CaretCase{"directly after \"<\"", u"<p>Hi <|a href=\"x.html\" title=\"Domů\">Start</a>"_s,
                  true, true, u"A"_s, link, E::Enabled},
        CaretCase{"directly before \">\"", u"<p>Hi <a href=\"x.html\" title=\"Domů\"|>Start</a>"_s,
                  true, true, u"A"_s, link, E::Enabled},
        CaretCase{"directly before \"<\" is outside",
                  u"<p>Hi |<a href=\"x.html\">Start</a>"_s,
                  false,
                  false,
                  {},
                  {},
                  E::Disabled},
        CaretCase{"directly after \">\" is outside",
                  u"<p>Hi <a href=\"x.html\">|Start</a>"_s,
                  false,
                  false,
                  {},
                  {},
                  E::Disabled},
        CaretCase{
            "between text and an end tag", u"<b>bold|</b>"_s, false, false, {}, {}, E::Disabled},
        CaretCase{"inside an end tag", u"<a href=x>Start</|a> z"_s, true, true, u"/A"_s, u"</a>"_s,
                  E::Enabled},
        CaretCase{"inside a comment", u"x <!-- a no|te --> y"_s, true, true, u"!--"_s,
                  u"<!-- a note -->"_s, E::Enabled},
        CaretCase{"a \">\" inside a comment ends it early", u"<!-- a |> b -->"_s, true, true,
                  u"!--"_s, u"<!-- a >"_s, E::Enabled},
        CaretCase{
            "no markup before the caret", u"plain te|xt <b>"_s, false, false, {}, {}, E::Disabled},
        CaretCase{"caret at offset 0", u"|<b>x</b>"_s, false, false, {}, {}, E::Disabled},
        CaretCase{
            "caret at the end after \">\"", u"<b>x</b>|"_s, false, false, {}, {}, E::Disabled},
        CaretCase{"empty text", u"|"_s, false, false, {}, {}, E::Disabled},
        CaretCase{"tag across lines is found; its name swallows the next line",
                  u"<p>\r\n<img\r\nsrc=x.g|if>"_s, true, true, u"IMGSRC=X.GIF"_s,
                  u"<img\r\nsrc=x.gif>"_s, E::Enabled},
        // Without a ">" the last character ends the tag, is left out of the
        // tag text, and a caret at the very end is past the tag.
        CaretCase{"unclosed tag, caret inside", u"x <img s|rc=a"_s, true, true, u"IMG"_s,
                  u"<img src=a"_s, E::Enabled},
        CaretCase{
            "unclosed tag, caret at the end", u"x <b|"_s, true, false, {}, u"<b"_s, E::Unchanged}),
    [](const ::testing::TestParamInfo<CaretCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST(TagAtCaret, UnclosedTagTextLeavesOutTheLastCharacter)
{
    MemoryEditor editor = editorWithCaret(u"x <img s|rc=a"_s);
    CaretTagState state;
    const TagAtCaret result = findTagAtCaret(editor, false, state, TagCaseOptions{});
    EXPECT_EQ(result.text, u"<img src=>"_s);
    ASSERT_EQ(state.attributes.attributes().size(), 1);
    EXPECT_EQ(state.attributes.attributes()[0].value, QString());
}

TEST(TagAtCaret, StateFollowsTheSearches)
{
    MemoryEditor editor(u"<INPUT TYPE=text> plain <b"_s);
    CaretTagState state;
    const TagCaseOptions options{};

    editor.setSelectionStart(3);
    findTagAtCaret(editor, false, state, options);
    EXPECT_EQ(state.currentTagName, u"INPUT"_s);
    EXPECT_TRUE(state.editTagEnabled);
    EXPECT_EQ(state.attributes.tagName(), u"input"_s);
    ASSERT_NE(state.attributes.findTagAttribute(u"TYPE"), nullptr);

    // At the end, past the unclosed <b: nothing parsed, the entry left alone.
    editor.setSelectionStart(editor.length());
    findTagAtCaret(editor, false, state, options);
    EXPECT_TRUE(state.editTagEnabled);
    EXPECT_FALSE(state.attributes.holdsTag()) << "the list is emptied by every search";
    EXPECT_EQ(state.currentTagName, u"INPUT"_s);

    // In plain text: disabled, and the last name is kept.
    editor.setSelectionStart(20);
    findTagAtCaret(editor, false, state, options);
    EXPECT_FALSE(state.editTagEnabled);
    EXPECT_EQ(state.currentTagName, u"INPUT"_s);
}

TEST(TagAtCaret, SearchStartsAtTheCaretOfABackwardSelection)
{
    MemoryEditor editor(u"<b>text</b> <i x>"_s);
    editor.setSelectionStart(15);
    editor.setSelectionLength(-8); // caret stays at 15, inside <i x>
    const TagAtCaret result = locateTagAtCaret(editor);
    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.text, u"<i x>"_s);
}

} // namespace
} // namespace qw
