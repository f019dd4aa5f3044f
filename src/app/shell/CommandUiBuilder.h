#pragma once

#include "core/settings/AppSettings.h"
#include "core/shell/CommandLayout.h"

#include <array>

class QMainWindow;
class QMenu;
class QToolBar;

namespace qw {

class ActionRegistry;

// What the builder made and the window keeps for later use.
struct CommandUi
{
    QMenu* fileMenu = nullptr;
    QMenu* recentMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* toolBarsMenu = nullptr;
    QMenu* editorPopup = nullptr;
    // In the order of ToolBarId.
    std::array<QToolBar*, ToolBarCount> toolBars{};
};

// Turns the command layout into the menu bar, the editor pop-up and the seven
// tool bars of window, with every action made through registry. The tool
// bars stand in their default places.
CommandUi buildCommandUi(QMainWindow& window, ActionRegistry& registry);

// The text of a caption without its access-key "&" (for accessible names).
QString plainCaption(const QString& caption);

} // namespace qw
