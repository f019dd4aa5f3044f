#pragma once

// What a screen reader is given for a widget: the engine's pages show up as
// web documents inside the view's accessible tree, once accessibility is on.

#include <QAccessible>
#include <QList>
#include <QWidget>

namespace qw::test {

inline bool holdsWebDocument(QWidget* widget)
{
    QList<QAccessibleInterface*> todo{QAccessible::queryAccessibleInterface(widget)};
    // The engine's tree can be deep; its document is near the top.
    for (int seen = 0; !todo.isEmpty() && seen < 500; ++seen) {
        QAccessibleInterface* a = todo.takeFirst();
        if (a == nullptr)
            continue;
        if (a->role() == QAccessible::WebDocument || a->role() == QAccessible::Document)
            return true;
        for (int i = 0; i < a->childCount(); ++i)
            todo << a->child(i);
    }
    return false;
}

} // namespace qw::test
