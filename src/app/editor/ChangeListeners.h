#pragma once

#include <Qsci/qsciscintilla.h>

#include <utility>

namespace qw {

// Connects `listener` to the editor's SCN_MODIFIED ahead of the widget's own
// listener, which sends textChanged(). Whoever hears textChanged() may ask at
// once for what `listener` keeps (offsets, colours), so it must have heard of
// the change first. Listeners connected this way hear it in the order they
// were connected.
template<typename Listener>
void listenBeforeTextChanged(QsciScintilla* editor, const QObject* context, Listener&& listener)
{
    const bool moved = QObject::disconnect(
        editor, SIGNAL(SCN_MODIFIED(int, int, const char*, int, int, int, int, int, int, int)),
        editor, SLOT(handleModified(int, int, const char*, int, int, int, int, int, int, int)));
    Q_ASSERT(moved);
    QObject::connect(editor, &QsciScintillaBase::SCN_MODIFIED, context,
                     std::forward<Listener>(listener));
    if (moved) {
        QObject::connect(
            editor, SIGNAL(SCN_MODIFIED(int, int, const char*, int, int, int, int, int, int, int)),
            editor, SLOT(handleModified(int, int, const char*, int, int, int, int, int, int, int)));
    }
}

} // namespace qw
