#pragma once

// Putting the design page's changes into a source editor.

#include "core/design/DesignWriteBack.h"

#include <QList>
#include <QString>

namespace qw {

class EditorWidget;

// The text that results from applying replacements (sorted, not
// overlapping, offsets into text) to text.
QString appliedText(const QString& text, const QList<TextReplacement>& replacements);

// Applies replacements, computed against base, to editor as one undo step.
// While the editor still holds base, only the replaced ranges are rewritten,
// from the last to the first so that earlier offsets stay valid; when its
// text has moved on since, the whole text is replaced by the result. The
// caret keeps its offset where the text before it did not change.
void applyReplacements(EditorWidget& editor, const QString& base,
                       const QList<TextReplacement>& replacements);

} // namespace qw
