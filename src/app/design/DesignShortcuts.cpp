#include "app/design/DesignShortcuts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace qw {

DesignShortcuts::DesignShortcuts(QWidget* view, ProgramKeys ownsKeys)
    : QObject(view), m_view(view), m_ownsKeys(std::move(ownsKeys))
{
    view->installEventFilter(this);
    for (QObject* child : view->children())
        watchInput(child);
}

void DesignShortcuts::watchInput(QObject* widget)
{
    if (widget == nullptr || !widget->isWidgetType())
        return;
    // Installing again only moves the filter to the front.
    widget->removeEventFilter(this);
    widget->installEventFilter(this);
}

bool DesignShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (watched == m_view)
            watchInput(static_cast<QChildEvent*>(event)->child());
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        if (watched == m_view)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence keys(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        if (!m_ownsKeys || !m_ownsKeys(keys))
            return false;
        // Not overridden: the window's shortcut runs. A key press that
        // still arrives belongs to a command that is disabled just now, and
        // goes no further.
        event->setAccepted(event->type() == QEvent::KeyPress);
        return true;
    }
    default:
        return false;
    }
}

} // namespace qw
