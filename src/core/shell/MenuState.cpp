#include "core/shell/MenuState.h"

#include <array>

namespace qw {

namespace {

enum class Rule { ClipboardHasText, TextNotEmpty, SelectionNotEmpty, CanUndo, CanRedo };

struct RuleRow
{
    QStringView id;
    Rule rule;
};

constexpr std::array Rules = {
    RuleRow{u"edit.paste", Rule::ClipboardHasText},
    RuleRow{u"edit.pasteAsNew", Rule::ClipboardHasText},
    RuleRow{u"file.print", Rule::TextNotEmpty},
    RuleRow{u"menu.html", Rule::TextNotEmpty},
    RuleRow{u"menu.case", Rule::TextNotEmpty},
    RuleRow{u"tools.removeDiacritics", Rule::TextNotEmpty},
    RuleRow{u"edit.cut", Rule::SelectionNotEmpty},
    RuleRow{u"edit.copy", Rule::SelectionNotEmpty},
    RuleRow{u"menu.selected", Rule::SelectionNotEmpty},
    RuleRow{u"edit.undo", Rule::CanUndo},
    RuleRow{u"edit.redo", Rule::CanRedo},
};

bool holds(Rule rule, const MenuSnapshot& s)
{
    switch (rule) {
    case Rule::ClipboardHasText:
        return s.clipboardHasText;
    case Rule::TextNotEmpty:
        return !s.textEmpty;
    case Rule::SelectionNotEmpty:
        return !s.selectionEmpty;
    case Rule::CanUndo:
        return s.canUndo;
    case Rule::CanRedo:
        return s.canRedo;
    }
    return false;
}

} // namespace

MenuStates computeMenuStates(const MenuSnapshot& snapshot)
{
    MenuStates states;
    states.enabled.reserve(static_cast<qsizetype>(Rules.size()));
    for (const RuleRow& row : Rules)
        states.enabled.append({row.id.toString(), holds(row.rule, snapshot)});
    states.wordWrapChecked = snapshot.wordWrap;
    return states;
}

} // namespace qw
