#pragma once

#include "core/commands/FormElementCommands.h"
#include "core/commands/MarkupCommandTable.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace qw {

// The window's own commands: one row per command id. A command may stand in
// the main menu, in a drop-down or pop-up menu and on a tool bar; every place
// makes its own action, and all of them run the command's one handler.
// The fixed-markup and form element commands keep their rows in
// core/commands; they are found here under the ids markupActionId() and
// formActionId() give them.
struct CommandRow
{
    QStringView id = {};
    QStringView caption = {};      // main menu caption with its "&"; empty: no menu entry
    QStringView shortcut = {};     // portable key sequence text; empty for none
    QStringView hint = {};         // tool bar hint; empty without a button
    QStringView icon = {};         // icon name (a freedesktop name or a shipped one)
    QStringView otherCaption = {}; // caption in a drop-down or pop-up menu when it differs
    bool checkable = false;
};

std::span<const CommandRow> commandRows();

// "markup.<n>" and "form.<n>" for the rows of the core command tables.
QString markupActionId(MarkupCommandId id);
QString formActionId(FormElementId id);
std::optional<MarkupCommandId> markupIdOf(QStringView actionId);
std::optional<FormElementId> formIdOf(QStringView actionId);

// Where an action of a command stands; the caption and the shortcut depend on it.
enum class ActionPlace {
    MainMenu, // the menu bar: caption and shortcut
    DropDown, // a tool button's drop-down menu: its own caption, no shortcut
    PopUp,    // the editor pop-up menu: its own caption, its own shortcut (F4)
    ToolBar,  // a tool bar button: the hint, no shortcut
};

// Everything the builder needs to make one action.
struct CommandInfo
{
    QString id;
    QString caption;
    QString shortcut;
    QString hint;
    QString icon;
    QString objectName; // a button without hint keeps its own name
    bool checkable = false;
};

// Resolves a command id of any of the three tables; nullopt for an unknown id.
std::optional<CommandInfo> commandInfo(QStringView id, ActionPlace place);

} // namespace qw
