#pragma once

#include <QStringView>

#include <span>

namespace qw {

// The form element commands. On the source page each opens the form element
// dialog in new mode on its page; on the design page each pastes its fragment
// unless the design selection is a control.
enum class FormElementId {
    CheckBox,
    RadioButton,
    Button,
    SubmitButton,
    ResetButton,
    TextBox,
    PasswordBox,
    FileBox,
    HiddenBox,
    Image,
};

// The tool bar button whose drop-down menu also lists the command.
enum class FormDropDown {
    None,
    Button,  // drop-down of "Tlačítko"
    TextBox, // drop-down of "Textové pole"
};

struct FormElementCommand
{
    FormElementId id = {};
    QStringView menuEntry = {}; // in "Tag" > "Formulářová prvky"
    FormDropDown dropDown = FormDropDown::None;
    QStringView dropDownEntry = {}; // caption in that drop-down menu
    QStringView toolBarHint = {};   // button of "Formulářové prvky"; empty for none
    int dialogPage = 0; // page of the form element dialog (as the edit-tag command uses)
    QStringView designFragment = {};
    // Run from a menu entry (the "Tag" menu or a drop-down), the command
    // leaves an open in-place edit of the tag inspector open.
    bool menuKeepsInspectorEdit = false;
};

std::span<const FormElementCommand> formElementCommands();
const FormElementCommand& formElementCommand(FormElementId id);

} // namespace qw
