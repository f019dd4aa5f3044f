#pragma once

#include "core/markup/TagAtCaret.h"

#include <QString>
#include <QStringView>

#include <span>

namespace qw {

class EditorWidget;

// The element dialogs the edit-tag command (F4) can open.
enum class ElementDialogId {
    Link,
    Applet,
    Body,
    Image,
    FormControl,
    Font,
    Form,
    Frameset,
    Frame,
    InlineFrame,
    HorizontalRule,
    TextArea,
    Cell,
    Row,
    Table,
    Script,
};

// What a dialog does besides taking its caption when it opens to edit a tag.
enum class EditTagSetup {
    None,
    // Link: the link-text group is hidden, the buttons move up and the dialog
    // shrinks (see EditTagDialogRow::buttonsTop and dialogHeight).
    HideLinkText,
    // Font and base font: the face list is filled with the screen fonts.
    ScreenFontFaces,
    // Form control: the page follows the TYPE attribute (inputDialogPage).
    InputPageFromType,
    // Text area dialog for a TEXTAREA: the "Text" group and the "Select" page
    // are hidden.
    TextAreaOnly,
    // Text area dialog for a SELECT: the "TextArea" page and the option count
    // field edSelectCount are hidden.
    SelectOnly,
};

// One row of the table from a tag name to the dialog that edits it.
struct EditTagDialogRow
{
    QStringView tagName; // upper case, as the current tag name is
    ElementDialogId dialog;
    bool resetFirst;
    QStringView caption; // empty: the dialog keeps the caption it last showed
    EditTagSetup setup;
    int buttonsTop;   // pixels, for HideLinkText; 0 otherwise
    int dialogHeight; // pixels, for HideLinkText; 0 otherwise
};

// Every row, in the order the command compares them.
std::span<const EditTagDialogRow> editTagDialogRows();

// The row for a current tag name (compared exactly: the name is upper case),
// or null for an unknown element, an end tag or a comment.
const EditTagDialogRow* editTagDialogFor(QStringView currentTagName);

// The form control dialog's page for the parsed INPUT tag: its TYPE (ignoring
// case) CHECKBOX 0, RADIO 1, BUTTON 2, SUBMIT 3, RESET 4, TEXT 5, PASSWORD 6,
// FILE 7, HIDDEN 8, IMAGE 9; any other value, a bare TYPE and no TYPE give 0.
int inputDialogPage(const TagAttributeList& attributes);

// What the edit-tag command opens: the dialog row (null: nothing opens) and,
// for the form control dialog, its page.
struct EditTagTarget
{
    const EditTagDialogRow* row = nullptr;
    int inputPage = 0;
};

// The edit-tag command up to showing the dialog: searches with select (a found
// tag stays selected, also when nothing opens) and picks the dialog. When the
// search parses no tag, nothing opens. The caller then clears the inspector,
// resets the dialog if the row says so, sets edit mode, the caption and the
// row's setup, fills the dialog from state.attributes and shows it.
EditTagTarget runEditTagSearch(EditorWidget& editor, CaretTagState& state, TagCaseOptions options);

// Enabled states of the editor's pop-up menu, computed each time it opens.
struct EditorPopupState
{
    bool paste = false;   // "Vložit"
    bool cut = false;     // "Vyjmout"
    bool copy = false;    // "Kopírovat"
    bool editTag = false; // "Upravit HTML značku..."
};

EditorPopupState editorPopupState(bool clipboardHasText, const QString& selectedText,
                                  const TagAttributeList& attributes);

} // namespace qw
