#include "core/commands/MarkupInsertion.h"
#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

struct Selection
{
    qsizetype caret;
    qsizetype length;
};

MemoryEditor editorWith(const QString& text, Selection sel)
{
    MemoryEditor editor(text);
    editor.setSelectionStart(sel.caret);
    editor.setSelectionLength(sel.length);
    editor.clearUndo();
    editor.setModified(false);
    return editor;
}

enum class Op { Wrap, WrapKeepCase, InsertBefore };

struct InsertionCase
{
    const char* name;
    Op op;
    bool upperTag;
    QString text;
    Selection before;
    QString start;
    QString end;
    QString expected;
    Selection after;
};

class MarkupInsertion : public ::testing::TestWithParam<InsertionCase>
{
};

TEST_P(MarkupInsertion, WritesTextAndLeavesCaretAndSelection)
{
    const InsertionCase& c = GetParam();
    MemoryEditor editor = editorWith(c.text, c.before);
    const QString selected = editor.selectedText();
    switch (c.op) {
    case Op::Wrap:
        wrapSelection(editor, c.start, c.end, TagCaseOptions{c.upperTag});
        break;
    case Op::WrapKeepCase:
        wrapSelection(editor, c.start, c.end);
        break;
    case Op::InsertBefore:
        insertBeforeSelection(editor, c.start);
        break;
    }
    EXPECT_EQ(editor.text(), c.expected);
    EXPECT_EQ(editor.selectionStart(), c.after.caret);
    EXPECT_EQ(editor.selectionLength(), c.after.length);
    EXPECT_EQ(editor.selectedText(), c.after.length != 0 ? selected : QString());

    // One undo step gives back the text as it was.
    editor.undo();
    EXPECT_EQ(editor.text(), c.text);
    EXPECT_FALSE(editor.canUndo());
}

const InsertionCase insertionCases[] = {
    {"WrapNoSelectionLower", Op::Wrap, true, "ab", {1, 0}, "<b>", "</b>", "a<b></b>b", {4, 0}},
    {"WrapNoSelectionUpper", Op::Wrap, false, "ab", {1, 0}, "<b>", "</b>", "a<B></B>b", {4, 0}},
    {"WrapForwardSelection",
     Op::Wrap,
     true,
     "x text y",
     {2, 4},
     "<b>",
     "</b>",
     "x <b>text</b> y",
     {5, 4}},
    {"WrapBackwardSelectionKeepsDirection",
     Op::Wrap,
     true,
     "x text y",
     {6, -4},
     "<b>",
     "</b>",
     "x <b>text</b> y",
     {9, -4}},
    {"WrapUpperConvertsValuesToo",
     Op::Wrap,
     false,
     "",
     {0, 0},
     "<a href=\"mailto:\">",
     "</a>",
     "<A HREF=\"MAILTO:\"></A>",
     {18, 0}},
    {"WrapLowerChangesAsciiLettersOnly",
     Op::Wrap,
     true,
     "",
     {0, 0},
     "<P TITLE=\"ŽLUŤ\">",
     "</P>",
     "<p title=\"ŽluŤ\"></p>",
     {16, 0}},
    {"WrapEmptyEndLeavesCaretAfterStart",
     Op::Wrap,
     true,
     "ab",
     {1, 0},
     "<br>",
     "",
     "a<br>b",
     {5, 0}},
    {"WrapEmptyEndWithSelectionInsertsBefore",
     Op::Wrap,
     true,
     "x text",
     {2, 4},
     "<br>",
     "",
     "x <br>text",
     {6, 4}},
    {"WrapMultiLineStartSelectsAgain",
     Op::Wrap,
     true,
     "x",
     {0, 1},
     "<dl>\r\n\t<dt><dd>\r\n",
     "</dl>",
     "<dl>\r\n\t<dt><dd>\r\nx</dl>",
     {17, 1}},
    {"WrapWithoutCaseKeepsCase",
     Op::WrapKeepCase,
     false,
     "",
     {0, 0},
     "<Div>",
     "</Div>",
     "<Div></Div>",
     {5, 0}},
    // A snippet read with bare LF breaks: the caret still lands between the texts.
    {"WrapLoneLineFeedsCountAsBreaks",
     Op::WrapKeepCase,
     true,
     "",
     {0, 0},
     "<ul>\n",
     "\n</ul>",
     "<ul>\r\n\r\n</ul>",
     {6, 0}},
    {"InsertNoSelectionCaretAfter",
     Op::InsertBefore,
     false,
     "ab",
     {1, 0},
     "&nbsp;",
     "",
     "a&nbsp;b",
     {7, 0}},
    {"InsertBeforeSelectionSelectsAgain",
     Op::InsertBefore,
     false,
     "ab cd",
     {5, -2},
     "<x>",
     "",
     "ab <x>cd",
     {8, -2}},
};

INSTANTIATE_TEST_SUITE_P(Cases, MarkupInsertion, ::testing::ValuesIn(insertionCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qw
