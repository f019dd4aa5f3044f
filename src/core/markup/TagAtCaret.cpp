#include "core/markup/TagAtCaret.h"

#include "core/editor/EditorWidget.h"

#include <algorithm>

namespace qw {

namespace {

// Reads the text in growing windows: a caret next to markup costs a few
// hundred characters, a caret deep in plain text costs what it passes.
constexpr qsizetype firstWindow = 256;
constexpr qsizetype largestWindow = 64 * 1024;

// Offset of the nearest "<" or ">" before `from` (exclusive), or -1.
qsizetype scanBack(const EditorWidget& editor, qsizetype from)
{
    qsizetype window = firstWindow;
    qsizetype to = from;
    while (to > 0) {
        const qsizetype begin = std::max<qsizetype>(0, to - window);
        const QString chunk = editor.textRange(begin, to);
        for (qsizetype i = chunk.size() - 1; i >= 0; --i) {
            const QChar c = chunk.at(i);
            if (c == u'<' || c == u'>')
                return begin + i;
        }
        to = begin;
        window = std::min(window * 2, largestWindow);
    }
    return -1;
}

// Offset of the first ">" in [from, last), or last when there is none: the
// text's last character is never examined and ends the tag by default.
qsizetype scanForward(const EditorWidget& editor, qsizetype from, qsizetype last)
{
    qsizetype window = firstWindow;
    qsizetype begin = std::max<qsizetype>(0, from);
    while (begin < last) {
        const qsizetype to = std::min(last, begin + window);
        const QString chunk = editor.textRange(begin, to);
        const qsizetype at = chunk.indexOf(u'>');
        if (at >= 0)
            return begin + at;
        begin = to;
        window = std::min(window * 2, largestWindow);
    }
    return last;
}

} // namespace

TagAtCaret locateTagAtCaret(const EditorWidget& editor)
{
    TagAtCaret result;
    const qsizetype k = editor.selectionStart();
    const qsizetype open = scanBack(editor, k);
    if (open < 0 || editor.charAt(open) != u'<')
        return result;
    result.found = true;
    result.start = open;
    result.end = scanForward(editor, k - 1, editor.length() - 1);
    result.text = u'<' + editor.textRange(result.start + 1, result.end) + u'>';
    result.editTagEntry = EditTagEntry::Unchanged;
    return result;
}

TagAtCaret findTagAtCaret(EditorWidget& editor, bool select, CaretTagState& state,
                          TagCaseOptions options)
{
    state.attributes.clearTagAttributes();
    TagAtCaret result = locateTagAtCaret(editor);
    if (result.found && editor.selectionStart() <= result.end) {
        result.name = state.attributes.parseTagText(result.text, options);
        result.parsed = true;
        result.editTagEntry = EditTagEntry::Enabled;
    }
    if (select && result.found) {
        editor.setSelectionStart(result.start);
        editor.setSelectionLength(result.end - result.start + 1);
    }
    state.apply(result);
    return result;
}

void CaretTagState::apply(const TagAtCaret& found)
{
    if (found.parsed)
        currentTagName = found.name;
    if (found.editTagEntry != EditTagEntry::Unchanged)
        editTagEnabled = found.editTagEntry == EditTagEntry::Enabled;
}

} // namespace qw
