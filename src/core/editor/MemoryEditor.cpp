#include "core/editor/MemoryEditor.h"

#include "core/text/TextLines.h"

#include <algorithm>

namespace qw {

namespace {
QString& sharedClipboard()
{
    static QString text;
    return text;
}
bool& sharedClipboardHasText()
{
    static bool has = false;
    return has;
}
} // namespace

MemoryEditor::MemoryEditor(const QString& text)
{
    setText(text);
}

void MemoryEditor::setText(const QString& text)
{
    pushUndo();
    m_text = withCrLfBreaks(text);
    m_caret = 0;
    m_selLength = 0;
    textChanged();
}

void MemoryEditor::setLines(const QStringList& lines)
{
    setText(lines.join(QStringLiteral("\r\n")));
}

void MemoryEditor::ensureIndex() const
{
    if (m_indexValid)
        return;
    m_lineStarts.clear();
    m_lineStarts.push_back(0);
    const QChar* data = m_text.constData();
    const qsizetype n = m_text.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (data[i] == u'\r' && data[i + 1] == u'\n') {
            m_lineStarts.push_back(i + 2);
            ++i;
        }
    }
    m_indexValid = true;
}

int MemoryEditor::lineCount() const
{
    ensureIndex();
    return static_cast<int>(m_lineStarts.size());
}

QString MemoryEditor::line(int index) const
{
    ensureIndex();
    if (index < 0 || index >= lineCount())
        return {};
    const qsizetype start = m_lineStarts[static_cast<size_t>(index)];
    const qsizetype end =
        index + 1 < lineCount() ? m_lineStarts[static_cast<size_t>(index) + 1] - 2 : m_text.size();
    return m_text.mid(start, end - start);
}

qsizetype MemoryEditor::lineStart(int index) const
{
    ensureIndex();
    if (index <= 0)
        return 0;
    if (index >= lineCount())
        return m_text.size() + 2;
    return m_lineStarts[static_cast<size_t>(index)];
}

int MemoryEditor::lineAtOffset(qsizetype offset) const
{
    ensureIndex();
    const auto it = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    return std::max(0, static_cast<int>(it - m_lineStarts.begin()) - 1);
}

QChar MemoryEditor::charAt(qsizetype offset) const
{
    if (offset < 0 || offset >= m_text.size())
        return {};
    return m_text.at(offset);
}

QString MemoryEditor::textRange(qsizetype from, qsizetype to) const
{
    from = std::clamp<qsizetype>(from, 0, m_text.size());
    to = std::clamp<qsizetype>(to, from, m_text.size());
    return m_text.mid(from, to - from);
}

void MemoryEditor::setSelectionStart(qsizetype offset)
{
    m_selLength = 0;
    m_caret = std::clamp<qsizetype>(offset, 0, m_text.size());
}

void MemoryEditor::setSelectionLength(qsizetype length)
{
    const qsizetype maxForward = m_text.size() - m_caret;
    m_selLength = std::clamp<qsizetype>(length, -m_caret, maxForward);
}

QString MemoryEditor::selectedText() const
{
    const qsizetype from = std::min(m_caret, m_caret + m_selLength);
    return m_text.mid(from, std::abs(m_selLength));
}

void MemoryEditor::replaceSelection(const QString& text)
{
    pushUndo();
    const qsizetype from = std::min(m_caret, m_caret + m_selLength);
    const QString insert = withCrLfBreaks(text);
    m_text.replace(from, std::abs(m_selLength), insert);
    m_caret = from + insert.size();
    m_selLength = 0;
    textChanged();
}

void MemoryEditor::selectAll()
{
    m_caret = m_text.size();
    m_selLength = -m_text.size();
}

int MemoryEditor::displayLinesOf(int line) const
{
    if (!m_wordWrap || m_wrapWidth <= 0)
        return 1;
    const qsizetype len = this->line(line).size();
    return std::max<int>(1, static_cast<int>((len + m_wrapWidth - 1) / m_wrapWidth));
}

int MemoryEditor::caretLine() const
{
    const int real = lineAtOffset(m_caret);
    int display = 0;
    for (int i = 0; i < real; ++i)
        display += displayLinesOf(i);
    if (m_wordWrap && m_wrapWidth > 0) {
        const qsizetype col = m_caret - lineStart(real);
        display += std::min<int>(static_cast<int>(col / m_wrapWidth), displayLinesOf(real) - 1);
    }
    return display;
}

int MemoryEditor::caretColumn() const
{
    const int real = lineAtOffset(m_caret);
    const qsizetype col = m_caret - lineStart(real);
    if (m_wordWrap && m_wrapWidth > 0) {
        const qsizetype part = std::min<qsizetype>(col / m_wrapWidth, displayLinesOf(real) - 1);
        return static_cast<int>(col - part * m_wrapWidth);
    }
    return static_cast<int>(col);
}

void MemoryEditor::gotoLine(int displayLine)
{
    displayLine = std::max(0, displayLine);
    const int lines = lineCount();
    int display = 0;
    for (int i = 0; i < lines; ++i) {
        const int parts = displayLinesOf(i);
        if (displayLine < display + parts || i == lines - 1) {
            const int part = std::min(displayLine - display, parts - 1);
            setSelectionStart(lineStart(i) +
                              static_cast<qsizetype>(part) * std::max(m_wrapWidth, 0));
            return;
        }
        display += parts;
    }
}

void MemoryEditor::pushUndo()
{
    if (m_groupDepth > 0) {
        if (m_groupSnapshotTaken)
            return;
        m_groupSnapshotTaken = true;
    }
    m_undo.append({m_text, m_caret});
    m_redo.clear();
}

void MemoryEditor::textChanged()
{
    m_indexValid = false;
    m_modified = true;
}

void MemoryEditor::undo()
{
    if (m_undo.isEmpty())
        return;
    m_redo.append({m_text, m_caret});
    const Snapshot s = m_undo.takeLast();
    m_text = s.text;
    m_caret = std::min(s.caret, m_text.size());
    m_selLength = 0;
    textChanged();
}

void MemoryEditor::redo()
{
    if (m_redo.isEmpty())
        return;
    m_undo.append({m_text, m_caret});
    const Snapshot s = m_redo.takeLast();
    m_text = s.text;
    m_caret = std::min(s.caret, m_text.size());
    m_selLength = 0;
    textChanged();
}

void MemoryEditor::clearUndo()
{
    m_undo.clear();
    m_redo.clear();
}

void MemoryEditor::beginUndoAction()
{
    if (m_groupDepth++ == 0)
        m_groupSnapshotTaken = false;
}

void MemoryEditor::endUndoAction()
{
    if (m_groupDepth > 0)
        --m_groupDepth;
}

void MemoryEditor::cutToClipboard()
{
    if (m_selLength == 0)
        return;
    setClipboardText(selectedText());
    replaceSelection(QString());
}

void MemoryEditor::copyToClipboard()
{
    if (m_selLength == 0)
        return;
    setClipboardText(selectedText());
}

void MemoryEditor::pasteFromClipboard()
{
    if (!sharedClipboardHasText())
        return;
    replaceSelection(sharedClipboard());
}

void MemoryEditor::replaceRanges(const QList<Range>& ranges, const QString& replacement)
{
    if (ranges.isEmpty())
        return;
    pushUndo();
    const QString insert = withCrLfBreaks(replacement);
    QString out;
    out.reserve(m_text.size() + ranges.size() * (insert.size() + 1));
    qsizetype pos = 0;
    for (const Range& r : ranges) {
        // A range out of order, overlapping or outside the text would make the
        // copy below read past its source; such a range is clamped to what is
        // left of the text instead.
        const qsizetype from = std::clamp<qsizetype>(r.from, pos, m_text.size());
        const qsizetype to = std::clamp<qsizetype>(r.to, from, m_text.size());
        out += QStringView(m_text).mid(pos, from - pos);
        out += insert;
        pos = to;
    }
    const qsizetype caret = out.size();
    out += QStringView(m_text).mid(pos);
    m_text = std::move(out);
    m_caret = caret;
    m_selLength = 0;
    textChanged();
}

QString MemoryEditor::clipboardText()
{
    return sharedClipboard();
}

void MemoryEditor::setClipboardText(const QString& text)
{
    sharedClipboard() = text;
    sharedClipboardHasText() = true;
}

void MemoryEditor::clearClipboard()
{
    sharedClipboard().clear();
    sharedClipboardHasText() = false;
}

} // namespace qw
