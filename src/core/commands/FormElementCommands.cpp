#include "core/commands/FormElementCommands.h"

#include <array>
#include <cstddef>

namespace qw {

namespace {

using enum FormElementId;

// In the order of FormElementId; the dialog page is the row's position too.
constexpr std::array Commands = {
    FormElementCommand{.id = CheckBox,
                       .menuEntry = u"CheckBox",
                       .toolBarHint = u"CheckBox",
                       .dialogPage = 0,
                       .designFragment = u"<input type=\"checkbox\" value=\"\">"},
    FormElementCommand{.id = RadioButton,
                       .menuEntry = u"RadioButton",
                       .toolBarHint = u"RadioButtton",
                       .dialogPage = 1,
                       .designFragment = u"<input type=\"radio\" value=\"\">"},
    FormElementCommand{.id = Button,
                       .menuEntry = u"Tlačítko",
                       .dropDown = FormDropDown::Button,
                       .dropDownEntry = u"Button",
                       .toolBarHint = u"Tlačítko",
                       .dialogPage = 2,
                       .designFragment = u"<input type=\"button\" value=\"\">"},
    FormElementCommand{.id = SubmitButton,
                       .menuEntry = u"Tlačítko - Submit",
                       .dropDown = FormDropDown::Button,
                       .dropDownEntry = u"Submit Button",
                       .dialogPage = 3,
                       .designFragment = u"<input type=\"submit\" value=Submit>",
                       .menuKeepsInspectorEdit = true},
    FormElementCommand{.id = ResetButton,
                       .menuEntry = u"Tlačítko - Reset",
                       .dropDown = FormDropDown::Button,
                       .dropDownEntry = u"Reset Button",
                       .dialogPage = 4,
                       .designFragment = u"<input type=\"reset\" value=Reset>",
                       .menuKeepsInspectorEdit = true},
    FormElementCommand{.id = TextBox,
                       .menuEntry = u"TextBox",
                       .dropDown = FormDropDown::TextBox,
                       .dropDownEntry = u"TextBox",
                       .toolBarHint = u"Textové pole",
                       .dialogPage = 5,
                       .designFragment = u"<input type=\"text\" value=\"\">"},
    FormElementCommand{.id = PasswordBox,
                       .menuEntry = u"PasswordBox",
                       .dropDown = FormDropDown::TextBox,
                       .dropDownEntry = u"PasswordBox",
                       .dialogPage = 6,
                       .designFragment = u"<input type=\"password\" value=\"\">",
                       .menuKeepsInspectorEdit = true},
    FormElementCommand{.id = FileBox,
                       .menuEntry = u"FileBox",
                       .dropDown = FormDropDown::TextBox,
                       .dropDownEntry = u"FileBox",
                       .dialogPage = 7,
                       .designFragment = u"<input type=\"file\" value=\"\">",
                       .menuKeepsInspectorEdit = true},
    FormElementCommand{.id = HiddenBox,
                       .menuEntry = u"HiddenBox",
                       .dropDown = FormDropDown::TextBox,
                       .dropDownEntry = u"HiddenBox",
                       .dialogPage = 8,
                       .designFragment = u"<input type=\"hidden\" value=\"\">",
                       .menuKeepsInspectorEdit = true},
    FormElementCommand{.id = Image,
                       .menuEntry = u"Image",
                       .toolBarHint = u"Image",
                       .dialogPage = 9,
                       .designFragment = u"<input type=\"image\" value=\"\">"},
};

constexpr bool rowsInIdOrder()
{
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (static_cast<std::size_t>(Commands[i].id) != i)
            return false;
    }
    return Commands.back().id == Image;
}
static_assert(rowsInIdOrder(), "form element rows must follow FormElementId");

} // namespace

std::span<const FormElementCommand> formElementCommands()
{
    return Commands;
}

const FormElementCommand& formElementCommand(FormElementId id)
{
    return Commands[static_cast<std::size_t>(id)];
}

} // namespace qw
