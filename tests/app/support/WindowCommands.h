#pragma once

// Running a window command from a test as a click on its menu entry does.

#include "app/services/ActionRegistry.h"
#include "app/shell/MainWindow.h"

#include <QAction>

namespace qw::test {

// False when the entry is missing or disabled.
inline bool runMenuCommand(MainWindow& window, const char* id)
{
    window.updateMenu();
    QAction* a = window.commands().action(QString::fromLatin1(id), ActionPlace::MainMenu);
    if (a == nullptr || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

} // namespace qw::test
