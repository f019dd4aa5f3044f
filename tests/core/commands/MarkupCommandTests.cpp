#include "core/commands/FormElementCommands.h"
#include "core/commands/MarkupCommandTable.h"
#include "core/commands/RunMarkupCommand.h"
#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

#include <set>

namespace qw {
namespace {

MemoryEditor editorWith(const QString& text, qsizetype caret, qsizetype length)
{
    MemoryEditor editor(text);
    editor.setSelectionStart(caret);
    editor.setSelectionLength(length);
    editor.clearUndo();
    return editor;
}

struct RunCase
{
    const char* name;
    MarkupCommandId id;
    bool upperTag;
    QString text;
    qsizetype caret;
    qsizetype length;
    QString expected;
    qsizetype caretAfter;
    qsizetype lengthAfter;
};

class RunMarkup : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(RunMarkup, DoesWhatTheRowSays)
{
    const RunCase& c = GetParam();
    MemoryEditor editor = editorWith(c.text, c.caret, c.length);
    runMarkupCommand(editor, c.id, TagCaseOptions{c.upperTag});
    EXPECT_EQ(editor.text(), c.expected);
    EXPECT_EQ(editor.selectionStart(), c.caretAfter);
    EXPECT_EQ(editor.selectionLength(), c.lengthAfter);
    editor.undo();
    EXPECT_EQ(editor.text(), c.text);
    EXPECT_FALSE(editor.canUndo());
}

const RunCase runCases[] = {
    {"BoldLower", MarkupCommandId::Bold, true, "", 0, 0, "<b></b>", 3, 0},
    {"BoldUpper", MarkupCommandId::Bold, false, "", 0, 0, "<B></B>", 3, 0},
    {"BoldBackwards", MarkupCommandId::Bold, true, "text", 4, -4, "<b>text</b>", 7, -4},
    {"EmailUpper", MarkupCommandId::Email, false, "jan", 0, 3, "<A HREF=\"MAILTO:\">jan</A>", 18,
     3},
    {"LineBreakBeforeSelection", MarkupCommandId::LineBreak, true, "ab", 0, 2, "<br>ab", 4, 2},
    {"NbspNeverChangesCase", MarkupCommandId::NoBreakSpace, false, "", 0, 0, "&nbsp;", 6, 0},
    {"ScriptNeverChangesCase", MarkupCommandId::ScriptWarning, false, "", 0, 0,
     "<script language=\"javascript\">\r\n\talert(\"Pozor\")\r\n</script>", 58, 0},
    {"DefinitionListAroundSelection", MarkupCommandId::DefinitionList, true, "x", 0, 1,
     "<dl>\r\n\t<dt><dd>\r\nx</dl>", 17, 1},
    {"HeadingButtonIsH1", MarkupCommandId::Heading, false, "", 0, 0, "<H1></H1>", 4, 0},
    // The bracket commands: the caret steps back into the brackets.
    {"StartTagNoSelection", MarkupCommandId::StartTag, true, "ab", 1, 0, "a<>b", 2, 0},
    {"EndTagNoSelection", MarkupCommandId::EndTag, false, "", 0, 0, "</>", 2, 0},
    {"StartTagForwardSelectionDropped", MarkupCommandId::StartTag, true, "abc", 0, 3, "<>abc", 1,
     0},
    {"EndTagBackwardSelectionDropped", MarkupCommandId::EndTag, true, "abc", 3, -3, "</>abc", 5, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, RunMarkup, ::testing::ValuesIn(runCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A sample of rows, checked field by field against the command list.
TEST(MarkupCommandTable, RowsHoldTheirExactTexts)
{
    struct Expected
    {
        MarkupCommandId id;
        MenuPlace place;
        QString subMenu;
        QString entry;
        QString shortcut;
        QString hint;
        MarkupOperation op;
        QString start;
        QString end;
        DesignAction design;
    };
    using enum MarkupCommandId;
    const Expected rows[] = {
        {Bold, MenuPlace::TagMenu, "", "Tučné", "Ctrl+B", "Tučné", MarkupOperation::Wrap, "<b>",
         "</b>", DesignAction::Bold},
        {StartTag, MenuPlace::TagMenu, "", "Počáteční tag", "Ctrl+,", "",
         MarkupOperation::InsertBefore, "<>", "", DesignAction::None},
        {EndTag, MenuPlace::TagMenu, "", "Konečný Tag", "Ctrl+.", "", MarkupOperation::InsertBefore,
         "</>", "", DesignAction::None},
        {NoBreakSpace, MenuPlace::None, "", "", "", "&nbsp;", MarkupOperation::InsertBefore,
         "&nbsp;", "", DesignAction::PasteStartText},
        {AlignRight, MenuPlace::None, "", "", "", "Zarovnat vpravo", MarkupOperation::Wrap,
         "<p align=\"right\">", "</p>", DesignAction::JustifyRight},
        {Comment, MenuPlace::TagMenu, "", "Komentář...", "", "Komentář", MarkupOperation::Wrap,
         "<!-- ", " -->", DesignAction::None},
        {FontSmaller, MenuPlace::TagMenu, "Písmo", "F-", "", "Písmo -1", MarkupOperation::Wrap,
         "<font size=\"-1\">", "</font>", DesignAction::None},
        {ListItem, MenuPlace::TagMenu, "Seznam", "<li>", "", "", MarkupOperation::Wrap, "<li>", "",
         DesignAction::None},
        {TableCell, MenuPlace::TagMenu, "Tabulka", "<td>", "", "Buňka", MarkupOperation::Wrap,
         "<td>", "</td>", DesignAction::InsertCell},
        {NoFrames, MenuPlace::TagMenu, "Rámce", "<noframes>", "", "", MarkupOperation::Wrap,
         "<noframes>", "</noframes>", DesignAction::None},
        {Heading4, MenuPlace::HeadingDropDown, "", "H4", "", "", MarkupOperation::Wrap, "<h4>",
         "</h4>", DesignAction::None},
        {NoScript, MenuPlace::None, "", "", "", "Bez skriptů", MarkupOperation::Wrap, "<noscript>",
         "</noscript>", DesignAction::None},
        {ScriptConfirm, MenuPlace::None, "", "", "", "", MarkupOperation::InsertBefore,
         "<script language=\"javascript\">\r\n\tconfirm(\"Ano?\")\r\n</script>", "",
         DesignAction::None},
    };
    for (const Expected& e : rows) {
        const MarkupCommand& row = markupCommand(e.id);
        SCOPED_TRACE(e.start.toStdString());
        EXPECT_EQ(row.id, e.id);
        EXPECT_EQ(row.menuPlace, e.place);
        EXPECT_EQ(row.subMenu, e.subMenu);
        EXPECT_EQ(row.menuEntry, e.entry);
        EXPECT_EQ(row.shortcut, e.shortcut);
        EXPECT_EQ(row.toolBarHint, e.hint);
        EXPECT_EQ(row.operation, e.op);
        EXPECT_EQ(row.startText, e.start);
        EXPECT_EQ(row.endText, e.end);
        EXPECT_EQ(row.designAction, e.design);
    }
}

TEST(MarkupCommandTable, EveryRowCanBeReachedAndInsertsSomething)
{
    for (const MarkupCommand& row : markupCommands()) {
        SCOPED_TRACE(row.startText.toString().toStdString());
        EXPECT_FALSE(row.startText.isEmpty());
        const bool inMenu = row.menuPlace != MenuPlace::None && !row.menuEntry.isEmpty();
        const bool onToolBar =
            !row.toolBar.isEmpty() && (!row.toolBarHint.isEmpty() || !row.buttonName.isEmpty());
        EXPECT_TRUE(inMenu || onToolBar);
        if (row.operation == MarkupOperation::InsertBefore) {
            EXPECT_TRUE(row.endText.isEmpty());
        }
    }
}

TEST(MarkupCommandTable, OnlyTheListedMenuCommandsKeepTheInspectorEditOpen)
{
    using enum MarkupCommandId;
    const std::set<MarkupCommandId> keep = {
        StartTag,
        EndTag,
        Strong,
        Emphasis,
        Preformatted,
        Subscript,
        Superscript,
        UnorderedList,
        OrderedList,
        ListItem,
        DefinitionList,
        DefinitionTerm,
        DefinitionDescription,
        Table,
        TableRow,
        TableHeaderCell,
        TableCell,
        Frameset,
        Frame,
        InlineFrame,
        NoFrames,
        Heading1,
        Heading2,
        Heading3,
        Heading4,
        Heading5,
        Heading6,
    };
    for (const MarkupCommand& row : markupCommands()) {
        SCOPED_TRACE(row.startText.toString().toStdString());
        EXPECT_EQ(keepsInspectorEdit(row, CommandSource::Menu), keep.contains(row.id));
        // A tool bar click always ends the edit, even for the bare table tags.
        EXPECT_FALSE(keepsInspectorEdit(row, CommandSource::ToolBarButton));
    }

    const std::set<FormElementId> keepForms = {
        FormElementId::SubmitButton, FormElementId::ResetButton, FormElementId::PasswordBox,
        FormElementId::FileBox, FormElementId::HiddenBox};
    for (const FormElementCommand& row : formElementCommands())
        EXPECT_EQ(row.menuKeepsInspectorEdit, keepForms.contains(row.id)) << row.dialogPage;
}

TEST(MarkupCommandTable, TableActionsOnTheDesignPageBelongToTheButtonsOnly)
{
    using enum MarkupCommandId;
    for (MarkupCommandId id : {Table, TableRow, TableCell}) {
        EXPECT_EQ(designAction(markupCommand(id), CommandSource::Menu), DesignAction::None);
        EXPECT_NE(designAction(markupCommand(id), CommandSource::ToolBarButton),
                  DesignAction::None);
    }
    EXPECT_EQ(designAction(markupCommand(Bold), CommandSource::Menu), DesignAction::Bold);
}

TEST(FormElementCommands, RowsHoldTheirExactTexts)
{
    struct Expected
    {
        FormElementId id;
        QString entry;
        QString dropDownEntry;
        QString hint;
        int page;
        QString fragment;
    };
    const Expected rows[] = {
        {FormElementId::CheckBox, "CheckBox", "", "CheckBox", 0,
         "<input type=\"checkbox\" value=\"\">"},
        {FormElementId::RadioButton, "RadioButton", "", "RadioButtton", 1,
         "<input type=\"radio\" value=\"\">"},
        {FormElementId::SubmitButton, "Tlačítko - Submit", "Submit Button", "", 3,
         "<input type=\"submit\" value=Submit>"},
        {FormElementId::TextBox, "TextBox", "TextBox", "Textové pole", 5,
         "<input type=\"text\" value=\"\">"},
        {FormElementId::HiddenBox, "HiddenBox", "HiddenBox", "", 8,
         "<input type=\"hidden\" value=\"\">"},
        {FormElementId::Image, "Image", "", "Image", 9, "<input type=\"image\" value=\"\">"},
    };
    for (const Expected& e : rows) {
        const FormElementCommand& row = formElementCommand(e.id);
        EXPECT_EQ(row.menuEntry, e.entry);
        EXPECT_EQ(row.dropDownEntry, e.dropDownEntry);
        EXPECT_EQ(row.toolBarHint, e.hint);
        EXPECT_EQ(row.dialogPage, e.page);
        EXPECT_EQ(row.designFragment, e.fragment);
    }
}

} // namespace
} // namespace qw
