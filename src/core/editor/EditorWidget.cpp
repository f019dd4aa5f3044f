#include "core/editor/EditorWidget.h"

namespace qw {

void EditorWidget::replaceRanges(const QList<Range>& ranges, const QString& replacement)
{
    if (ranges.isEmpty())
        return;
    UndoGroup group(*this);
    // Back to front, so the offsets of the ranges not yet replaced stay valid.
    // The editor may turn a lone CR or LF of the replacement into CR LF, so the
    // caret is placed by the change of length, not by the replacement's size.
    const qsizetype before = length();
    for (auto it = ranges.crbegin(); it != ranges.crend(); ++it)
        replaceRange(*this, it->from, it->to, replacement);
    setSelectionStart(ranges.constLast().to + length() - before);
}

void replaceRange(EditorWidget& editor, qsizetype from, qsizetype to, const QString& text)
{
    editor.setSelectionStart(from);
    editor.setSelectionLength(to - from);
    editor.replaceSelection(text);
}

} // namespace qw
