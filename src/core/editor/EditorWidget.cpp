#include "core/editor/EditorWidget.h"

namespace qw {

void EditorWidget::replaceRanges(const QList<Range>& ranges, const QString& replacement)
{
    if (ranges.isEmpty())
        return;
    UndoGroup group(*this);
    // Back to front, so the offsets of the ranges not yet replaced stay valid.
    qsizetype shift = 0;
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it) {
        replaceRange(*this, it->from, it->to, replacement);
        shift += replacement.size() - (it->to - it->from);
    }
    const Range& last = ranges.constLast();
    setSelectionStart(last.to + shift);
}

void replaceRange(EditorWidget& editor, qsizetype from, qsizetype to, const QString& text)
{
    editor.setSelectionStart(from);
    editor.setSelectionLength(to - from);
    editor.replaceSelection(text);
}

} // namespace qw
