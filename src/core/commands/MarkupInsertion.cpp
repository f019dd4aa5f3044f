#include "core/commands/MarkupInsertion.h"

#include "core/editor/EditorWidget.h"
#include "core/text/TextLines.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

void wrapAsStored(EditorWidget& editor, const QString& start, const QString& end)
{
    UndoGroup group(editor);
    const qsizetype caret = editor.selectionStart();
    const qsizetype length = editor.selectionLength();
    if (length != 0) {
        editor.replaceSelection(start + editor.selectedText() + end);
        editor.setSelectionStart(caret + start.size());
        editor.setSelectionLength(length);
    } else {
        editor.replaceSelection(start + end);
        editor.setSelectionStart(editor.selectionStart() - end.size());
    }
}

} // namespace

void wrapSelection(EditorWidget& editor, QStringView start, QStringView end)
{
    wrapAsStored(editor, withCrLfBreaks(start), withCrLfBreaks(end));
}

void wrapSelection(EditorWidget& editor, QStringView start, QStringView end, TagCaseOptions options)
{
    wrapAsStored(editor, withCrLfBreaks(tagNameCase(start, options)),
                 withCrLfBreaks(tagNameCase(end, options)));
}

void insertBeforeSelection(EditorWidget& editor, QStringView text)
{
    wrapAsStored(editor, withCrLfBreaks(text), QString());
}

} // namespace qw
