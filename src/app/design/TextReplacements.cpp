#include "app/design/TextReplacements.h"

#include "core/editor/EditorWidget.h"

#include <algorithm>

namespace qw {

QString appliedText(const QString& text, const QList<TextReplacement>& replacements)
{
    QString result;
    result.reserve(text.size());
    qsizetype pos = 0;
    for (const TextReplacement& r : replacements) {
        const qsizetype from = std::clamp<qsizetype>(r.start, pos, text.size());
        const qsizetype to = std::clamp<qsizetype>(r.start + r.length, from, text.size());
        result += QStringView(text).sliced(pos, from - pos);
        result += r.text;
        pos = to;
    }
    result += QStringView(text).sliced(pos);
    return result;
}

void applyReplacements(EditorWidget& editor, const QString& base,
                       const QList<TextReplacement>& replacements)
{
    if (replacements.isEmpty())
        return;
    const qsizetype caret = editor.selectionStart();
    const UndoGroup group(editor);
    if (editor.length() != base.size() || editor.text() != base) {
        replaceRange(editor, 0, editor.length(), appliedText(base, replacements));
        editor.setSelectionStart(std::min(caret, editor.length()));
        editor.setSelectionLength(0);
        return;
    }
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it)
        replaceRange(editor, it->start, it->start + it->length, it->text);
    // The caret stays where the user left it when nothing before it moved.
    if (caret <= replacements.constFirst().start) {
        editor.setSelectionStart(caret);
        editor.setSelectionLength(0);
    }
}

} // namespace qw
