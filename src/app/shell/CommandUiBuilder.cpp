#include "app/shell/CommandUiBuilder.h"

#include "app/services/ActionRegistry.h"
#include "core/shell/CommandCatalog.h"
#include "core/shell/ToolBarRows.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <vector>

namespace qw {

namespace {

QMenu* newMenu(const QString& id, const QString& caption, QWidget* parent)
{
    auto* m = new QMenu(caption, parent);
    m->setObjectName(id);
    m->setAccessibleName(plainCaption(caption));
    return m;
}

// Fills target from a layout; BeginMenu opens a submenu until its EndMenu.
// With a menu bar, the top-level blocks become its menus.
void fillMenu(std::span<const LayoutItem> items, QMenuBar* bar, QMenu* target, ActionPlace place,
              ActionRegistry& registry, CommandUi& ui)
{
    std::vector<QMenu*> stack;
    if (target != nullptr)
        stack.push_back(target);
    for (const LayoutItem& item : items) {
        switch (item.kind) {
        case LayoutKind::BeginMenu: {
            const QString id = item.id.toString();
            QMenu* m = nullptr;
            if (stack.empty()) {
                m = newMenu(id, item.caption.toString(), bar);
                bar->addMenu(m);
            } else {
                m = newMenu(id, item.caption.toString(), stack.back());
                stack.back()->addMenu(m);
            }
            registry.addMenu(id, m);
            if (id == u"menu.file")
                ui.fileMenu = m;
            else if (id == u"menu.view")
                ui.viewMenu = m;
            else if (id == u"menu.toolBars")
                ui.toolBarsMenu = m;
            stack.push_back(m);
            break;
        }
        case LayoutKind::EndMenu:
            stack.pop_back();
            break;
        case LayoutKind::Separator:
            stack.back()->addSeparator();
            break;
        case LayoutKind::RecentFiles: {
            const QString id = item.id.toString();
            QMenu* m = newMenu(id, item.caption.toString(), stack.back());
            stack.back()->addMenu(m);
            registry.addMenu(id, m);
            ui.recentMenu = m;
            break;
        }
        case LayoutKind::Command:
        case LayoutKind::Markup:
        case LayoutKind::Form:
            if (QAction* a = registry.makeAction(layoutCommandId(item), place, stack.back()))
                stack.back()->addAction(a);
            break;
        }
    }
}

QToolBar* buildToolBar(const ToolBarDef& def, QMainWindow& window, ActionRegistry& registry)
{
    auto* bar = new QToolBar(def.title.toString(), &window);
    bar->setObjectName(def.objectName.toString());
    bar->setAccessibleName(def.title.toString());
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setIconSize(QSize(20, 20));
    for (const LayoutItem& item : def.buttons) {
        if (item.kind == LayoutKind::Separator) {
            bar->addSeparator();
            continue;
        }
        QAction* a = registry.makeAction(layoutCommandId(item), ActionPlace::ToolBar, bar);
        if (a == nullptr)
            continue;
        if (item.dropDown != DropDownMenu::None) {
            auto* menu = new QMenu(bar);
            menu->setAccessibleName(a->toolTip());
            CommandUi unused;
            fillMenu(dropDownLayout(item.dropDown), nullptr, menu, ActionPlace::DropDown, registry,
                     unused);
            a->setMenu(menu);
        }
        bar->addAction(a);
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a))) {
            button->setAutoRaise(true);
            button->setObjectName(a->objectName());
            const QString hint = a->toolTip();
            button->setAccessibleName(hint.isEmpty() ? a->text() : hint);
            if (item.dropDown != DropDownMenu::None)
                button->setPopupMode(QToolButton::MenuButtonPopup);
        }
    }
    return bar;
}

} // namespace

QString plainCaption(const QString& caption)
{
    QString text = caption;
    text.remove(u'&');
    return text;
}

CommandUi buildCommandUi(QMainWindow& window, ActionRegistry& registry)
{
    CommandUi ui;
    fillMenu(mainMenuLayout(), window.menuBar(), nullptr, ActionPlace::MainMenu, registry, ui);

    ui.editorPopup = newMenu(QStringLiteral("pmMemo"), QString(), &window);
    ui.editorPopup->setAccessibleName(QStringLiteral("Místní nabídka editoru"));
    fillMenu(editorPopupLayout(), nullptr, ui.editorPopup, ActionPlace::PopUp, registry, ui);
    // The pop-up's own key (F4) must work while the pop-up is closed.
    for (QAction* a : ui.editorPopup->actions()) {
        if (!a->shortcut().isEmpty())
            window.addAction(a);
    }

    for (const ToolBarDef& def : toolBarDefs()) {
        QToolBar* bar = buildToolBar(def, window, registry);
        ui.toolBars[static_cast<std::size_t>(def.bar)] = bar;
    }
    return ui;
}

} // namespace qw
