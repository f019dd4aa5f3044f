#pragma once

#include <QStringView>

#include <span>

namespace qw {

// The fixed-markup commands: tool bar buttons and "Tag" menu entries that
// wrap the selection in a start and an end text or insert a text before it.
// One row per command; the window builds its actions from these rows.
enum class MarkupCommandId {
    Bold,
    Italic,
    LineBreak,
    StartTag,
    EndTag,
    NoBreakSpace,
    AlignCenter,
    AlignRight,
    AlignLeft,
    Paragraph,
    Comment,
    FontBigger,
    FontSmaller,
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
    Heading, // the "H?" button itself
    NoScript,
    Email,
    ScriptWarning,
    ScriptConfirm,
};

enum class MarkupOperation {
    Wrap,         // wrapSelection with the configured tag case
    InsertBefore, // insertBeforeSelection, letter case as written
};

// Where a command's menu entry stands.
enum class MenuPlace {
    None,            // tool bar button only
    TagMenu,         // the main menu "Tag" (or its sub-menu subMenu)
    HeadingDropDown, // the drop-down menu of the "H?" button
};

// What the command does on the design page; on the preview page every
// command does nothing.
enum class DesignAction {
    None,
    Bold, // the design view's formatting commands
    Italic,
    JustifyCenter,
    JustifyRight,
    JustifyLeft,
    PasteStartText, // pastes the row's start text at the design selection
    InsertTable,    // the design view's table actions
    InsertRow,
    InsertCell,
};

struct MarkupCommand
{
    MarkupCommandId id = {};
    MenuPlace menuPlace = MenuPlace::None;
    // The sub-menu of "Tag": "Písmo", "Seznam", "Tabulka", "Rámce"; empty: "Tag" itself.
    QStringView subMenu = {};
    QStringView menuEntry = {}; // caption exactly as shown; empty without a menu entry
    QStringView shortcut = {};  // portable key sequence text; empty for none
    // Layout section of the tool bar holding the button ("TBFONTS"); empty for none.
    QStringView toolBar = {};
    QStringView toolBarHint = {};
    QStringView buttonName = {}; // object name of a button that has no hint
    MarkupOperation operation = MarkupOperation::Wrap;
    QStringView startText = {};
    QStringView endText = {}; // empty for InsertBefore and for wraps without an end
    DesignAction designAction = DesignAction::None;
    // The design action belongs to the tool bar button; the menu entry does
    // nothing on the design page.
    bool designFromToolBarOnly = false;
    // Run from its menu entry, the command leaves an open in-place edit of the
    // tag inspector open; every other command, and every tool bar button
    // click, ends that edit first.
    bool menuKeepsInspectorEdit = false;
    // After inserting, the caret steps back one character into the brackets
    // ("<>" or "</>"), ready for the tag name; a selection is dropped.
    bool caretIntoBrackets = false;
};

std::span<const MarkupCommand> markupCommands();
const MarkupCommand& markupCommand(MarkupCommandId id);

// How a command was started: a few rows act differently from the tool bar.
enum class CommandSource {
    Menu, // the main menu or a tool bar button's drop-down menu
    ToolBarButton,
};

bool keepsInspectorEdit(const MarkupCommand& command, CommandSource source);
DesignAction designAction(const MarkupCommand& command, CommandSource source);

} // namespace qw
