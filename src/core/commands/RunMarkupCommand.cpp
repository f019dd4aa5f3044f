#include "core/commands/RunMarkupCommand.h"

#include "core/commands/MarkupInsertion.h"
#include "core/editor/EditorWidget.h"

namespace qw {

void runMarkupCommand(EditorWidget& editor, MarkupCommandId id, TagCaseOptions options)
{
    const MarkupCommand& command = markupCommand(id);
    UndoGroup group(editor);
    switch (command.operation) {
    case MarkupOperation::Wrap:
        wrapSelection(editor, command.startText, command.endText, options);
        break;
    case MarkupOperation::InsertBefore:
        insertBeforeSelection(editor, command.startText);
        break;
    }
    if (command.caretIntoBrackets)
        editor.setSelectionStart(editor.selectionStart() - 1);
}

} // namespace qw
