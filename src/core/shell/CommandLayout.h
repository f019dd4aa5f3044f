#pragma once

#include "core/commands/FormElementCommands.h"
#include "core/commands/MarkupCommandTable.h"
#include "core/settings/AppSettings.h"

#include <QString>
#include <QStringView>

#include <span>

namespace qw {

// Where the commands stand: the main menu, the pop-up and drop-down menus and
// the tool bars, as data listing command ids. What each command is called and
// which keys it has is in CommandCatalog.

// The drop-down menu of a tool button.
enum class DropDownMenu { None, NewDocument, Heading, FormButtons, FormBoxes, Browsers };

enum class LayoutKind {
    Command, // a command of CommandCatalog, by id
    Markup,  // a row of the fixed-markup table, by MarkupCommandId
    Form,    // a row of the form element table, by FormElementId
    Separator,
    BeginMenu, // a submenu (or a main menu) with caption; id names it
    EndMenu,
    RecentFiles, // the recent-files submenu, filled when "&Soubor" opens
};

struct LayoutItem
{
    LayoutKind kind = LayoutKind::Command;
    QStringView id = {};      // Command: the command; BeginMenu: the menu's own id
    QStringView caption = {}; // BeginMenu, RecentFiles: the caption
    int row = -1;        // Markup, Form: the row's id value
    DropDownMenu dropDown = DropDownMenu::None; // tool bar buttons only
};

// The action id of a Command, Markup or Form item ("" for the other kinds).
QString layoutCommandId(const LayoutItem& item);

// The menu bar: a sequence of BeginMenu ... EndMenu blocks. Each top-level
// caption has an access letter of its own, so Alt with it opens that menu.
std::span<const LayoutItem> mainMenuLayout();
// The editor's pop-up menu (right click in an editor and on the tab strip).
std::span<const LayoutItem> editorPopupLayout();
std::span<const LayoutItem> dropDownLayout(DropDownMenu menu);

// One of the seven tool bars.
struct ToolBarDef
{
    ToolBarId bar;
    QStringView objectName; // "tbTool", ...
    QStringView title;      // "Hlavní", ...
    int defaultLeft;        // default place in the band, in pixels
    int defaultTop;
    std::span<const LayoutItem> buttons;
    QStringView viewCommand; // the "Panel nástrojů" entry; empty for none
};

// In the order of ToolBarId, which is also the order of saving and restoring.
std::span<const ToolBarDef> toolBarDefs();
const ToolBarDef& toolBarDef(ToolBarId bar);

} // namespace qw
