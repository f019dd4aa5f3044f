#pragma once

#include "core/markup/TagAttributeList.h"

#include <QStringView>

namespace qw {

class EditorWidget;

// The two ways fixed markup goes into the text. Both are one undo step, and
// both take line breaks in the texts as the editor stores them (a lone CR or
// LF counts as CR LF), so the caret arithmetic matches the inserted text.

// Puts start and end around the selection. With a selection, the text that was
// selected is selected again between the two, in the same direction. Without
// one, start + end is inserted and the caret stands between them (after start
// when end is empty).
void wrapSelection(EditorWidget& editor, QStringView start, QStringView end);
// The same with both texts in the configured tag case as a whole (ASCII
// mapping; attribute names and values inside them change too).
void wrapSelection(EditorWidget& editor, QStringView start, QStringView end,
                   TagCaseOptions options);

// Inserts text before the selection, which is selected again; without one the
// caret stands after the text. Letter case is never changed.
void insertBeforeSelection(EditorWidget& editor, QStringView text);

} // namespace qw
