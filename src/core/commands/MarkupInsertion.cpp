#include "core/commands/MarkupInsertion.h"

#include "core/editor/EditorWidget.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

QString withEditorBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += "\r\n"_L1;
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

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
    wrapAsStored(editor, withEditorBreaks(start), withEditorBreaks(end));
}

void wrapSelection(EditorWidget& editor, QStringView start, QStringView end, TagCaseOptions options)
{
    wrapAsStored(editor, withEditorBreaks(tagNameCase(start, options)),
                 withEditorBreaks(tagNameCase(end, options)));
}

void insertBeforeSelection(EditorWidget& editor, QStringView text)
{
    wrapAsStored(editor, withEditorBreaks(text), QString());
}

} // namespace qw
