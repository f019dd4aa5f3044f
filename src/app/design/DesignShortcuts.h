#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace qw {

// The design view binds keys of its own (Ctrl+Shift+A deselects, Ctrl+Shift+V
// pastes plain text...) and claims them before the window's shortcuts are
// looked at. Installed on the view, this hands every key the program has a
// command for to that command instead: the view's widget that takes the keys
// gives the shortcut up, and a key whose command is disabled just now does
// nothing rather than the view's own thing.
class DesignShortcuts : public QObject
{
    Q_OBJECT
public:
    using ProgramKeys = std::function<bool(const QKeySequence& keys)>;

    // Owned by view; ownsKeys tells the program's keys.
    DesignShortcuts(QWidget* view, ProgramKeys ownsKeys);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The view makes the widget that takes its input when it first shows a
    // page, and again after its renderer went away.
    void watchInput(QObject* widget);

    QPointer<QWidget> m_view;
    ProgramKeys m_ownsKeys;
};

} // namespace qw
