#pragma once

#include <QList>
#include <QString>

namespace qw {

// What the enabled states of the commands depend on, read once from the
// current document. Each value is cheap to read (no copy of the text).
struct MenuSnapshot
{
    bool clipboardHasText = false;
    bool selectionEmpty = true;
    bool textEmpty = true;
    bool canUndo = false;
    bool canRedo = false;
    bool wordWrap = false;
};

struct CommandEnabled
{
    QString id; // a command or a submenu id of CommandLayout
    bool enabled = false;

    friend bool operator==(const CommandEnabled&, const CommandEnabled&) = default;
};

struct MenuStates
{
    QList<CommandEnabled> enabled;
    bool wordWrapChecked = false;
};

// The states the source page's commands take from the snapshot. Commands not
// listed keep their state: they are always enabled, or follow something else.
MenuStates computeMenuStates(const MenuSnapshot& snapshot);

} // namespace qw
