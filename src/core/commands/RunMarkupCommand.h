#pragma once

#include "core/commands/MarkupCommandTable.h"
#include "core/markup/TagAttributeList.h"

namespace qw {

class EditorWidget;

// Does on the source page what the command's row says: wraps the selection
// (in the configured tag case) or inserts before it, then, for the two
// bracket commands, steps the caret back into the brackets. The caller
// decides about the page and the tag inspector.
void runMarkupCommand(EditorWidget& editor, MarkupCommandId id, TagCaseOptions options);

} // namespace qw
