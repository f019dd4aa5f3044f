#pragma once

#include "core/shell/CommandCatalog.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>

class QAction;
class QMenu;

namespace qw {

// The commands of the window by id: one handler each, and every action made
// for the command (menu entry, drop-down entry, pop-up entry, tool bar
// button). All actions of an id run its one handler, told where they stand.
// An id without a handler (its feature has not arrived) keeps its actions
// disabled, so nothing pretends to work.
class ActionRegistry : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(ActionPlace)>;

    explicit ActionRegistry(QObject* parent = nullptr) : QObject(parent) {}

    void registerAction(const QString& id, Handler handler);
    bool hasHandler(const QString& id) const { return m_handlers.contains(id); }

    // Makes the action of id for place, owned by owner; null for an unknown id.
    QAction* makeAction(const QString& id, ActionPlace place, QObject* owner);
    QList<QAction*> actions(const QString& id) const { return m_actions.value(id); }
    // The first action of id made for place, or null.
    QAction* action(const QString& id, ActionPlace place) const;

    // Submenus take part in the enabling by their layout id.
    void addMenu(const QString& id, QMenu* menu);
    QMenu* menu(const QString& id) const { return m_menus.value(id); }

    // Enables or disables every action of id (or the submenu of that id); an
    // id without a handler stays disabled.
    void setEnabled(const QString& id, bool enabled);
    void setChecked(const QString& id, bool checked);

    // Runs the handler as the action at place would.
    void trigger(const QString& id, ActionPlace place);

    // Whether keys are the shortcut of an action of some command, enabled or
    // not: a view with key bindings of its own leaves these keys alone.
    bool hasShortcut(const QKeySequence& keys) const { return m_shortcuts.contains(keys); }

private:
    QHash<QString, Handler> m_handlers;
    QSet<QKeySequence> m_shortcuts;
    QHash<QString, QList<QAction*>> m_actions;
    QHash<QString, QMenu*> m_menus;
};

} // namespace qw
