#include "app/services/ActionRegistry.h"

#include "app/services/CommandIcons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace qw {

namespace {
constexpr const char* PlaceProperty = "qwActionPlace";
}

void ActionRegistry::registerAction(const QString& id, Handler handler)
{
    m_handlers.insert(id, std::move(handler));
    for (QAction* a : m_actions.value(id))
        a->setEnabled(true);
}

QAction* ActionRegistry::makeAction(const QString& id, ActionPlace place, QObject* owner)
{
    const std::optional<CommandInfo> info = commandInfo(id, place);
    if (!info)
        return nullptr;
    auto* a = new QAction(info->caption, owner);
    a->setObjectName(info->objectName.isEmpty() ? id : info->objectName);
    a->setProperty(PlaceProperty, static_cast<int>(place));
    if (!info->shortcut.isEmpty()) {
        a->setShortcut(QKeySequence(info->shortcut, QKeySequence::PortableText));
        m_shortcuts.insert(a->shortcut());
    }
    if (!info->icon.isEmpty())
        a->setIcon(commandIcon(info->icon));
    if (place == ActionPlace::ToolBar) {
        // A button without hint shows no tool tip; its caption is its name.
        a->setToolTip(info->hint);
        a->setStatusTip(info->hint);
    }
    a->setCheckable(info->checkable);
    a->setEnabled(hasHandler(id));
    connect(a, &QAction::triggered, this, [this, id, place] { trigger(id, place); });
    m_actions[id].append(a);
    return a;
}

QAction* ActionRegistry::action(const QString& id, ActionPlace place) const
{
    for (QAction* a : m_actions.value(id)) {
        if (a->property(PlaceProperty).toInt() == static_cast<int>(place))
            return a;
    }
    return nullptr;
}

void ActionRegistry::addMenu(const QString& id, QMenu* menu)
{
    m_menus.insert(id, menu);
}

void ActionRegistry::setEnabled(const QString& id, bool enabled)
{
    if (QMenu* m = m_menus.value(id)) {
        m->menuAction()->setEnabled(enabled);
        return;
    }
    const bool on = enabled && hasHandler(id);
    for (QAction* a : m_actions.value(id))
        a->setEnabled(on);
}

void ActionRegistry::setChecked(const QString& id, bool checked)
{
    for (QAction* a : m_actions.value(id))
        a->setChecked(checked);
}

void ActionRegistry::trigger(const QString& id, ActionPlace place)
{
    const auto it = m_handlers.constFind(id);
    if (it != m_handlers.constEnd())
        (*it)(place);
}

} // namespace qw
