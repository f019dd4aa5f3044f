#pragma once

#include "core/editor/EditorWidget.h"

#include <QList>
#include <QString>

#include <vector>

namespace qw {

// The reference implementation of EditorWidget: the whole text as one string
// with CR LF breaks, an index of line starts rebuilt lazily after an edit, and
// whole-text snapshots for undo. Word wrap, when on and given a wrap width,
// cuts every line into display lines of that many characters.
class MemoryEditor : public EditorWidget
{
public:
    MemoryEditor() = default;
    explicit MemoryEditor(const QString& text);

    QString text() const override { return m_text; }
    void setText(const QString& text) override;
    void setLines(const QStringList& lines) override;

    qsizetype length() const override { return m_text.size(); }
    int lineCount() const override;
    QString line(int index) const override;
    qsizetype lineStart(int index) const override;
    int lineAtOffset(qsizetype offset) const override;
    QChar charAt(qsizetype offset) const override;
    QString textRange(qsizetype from, qsizetype to) const override;

    qsizetype selectionStart() const override { return m_caret; }
    void setSelectionStart(qsizetype offset) override;
    qsizetype selectionLength() const override { return m_selLength; }
    void setSelectionLength(qsizetype length) override;
    QString selectedText() const override;
    void replaceSelection(const QString& text) override;
    void selectAll() override;
    void scrollCaretIntoView() override {}

    int caretLine() const override;
    int caretColumn() const override;
    void gotoLine(int displayLine) override;

    void undo() override;
    void redo() override;
    bool canUndo() const override { return !m_undo.isEmpty(); }
    bool canRedo() const override { return !m_redo.isEmpty(); }
    void clearUndo() override;
    void beginUndoAction() override;
    void endUndoAction() override;

    void cutToClipboard() override;
    void copyToClipboard() override;
    void pasteFromClipboard() override;

    bool isModified() const override { return m_modified; }
    void setModified(bool modified) override { m_modified = modified; }
    bool overwrite() const override { return m_overwrite; }
    void setOverwrite(bool on) override { m_overwrite = on; }
    bool wordWrap() const override { return m_wordWrap; }
    void setWordWrap(bool on) override { m_wordWrap = on; }
    LineBreak lineBreak() const override { return m_lineBreak; }
    void setLineBreak(LineBreak lb) override { m_lineBreak = lb; }

    void replaceRanges(const QList<Range>& ranges, const QString& replacement) override;

    // Characters per display line while word wrap is on; 0 wraps nothing.
    void setWrapWidth(int columns) { m_wrapWidth = columns; }

    // The clipboard shared by all memory editors of the process.
    static QString clipboardText();
    static void setClipboardText(const QString& text);
    static void clearClipboard();

private:
    struct Snapshot
    {
        QString text;
        qsizetype caret = 0;
    };

    void pushUndo();
    void textChanged();
    void ensureIndex() const;
    int displayLinesOf(int line) const;

    QString m_text;
    qsizetype m_caret = 0;
    qsizetype m_selLength = 0;
    bool m_modified = false;
    bool m_overwrite = false;
    bool m_wordWrap = true;
    int m_wrapWidth = 0;
    LineBreak m_lineBreak = LineBreak::CrLf;
    QList<Snapshot> m_undo;
    QList<Snapshot> m_redo;
    int m_groupDepth = 0;
    bool m_groupSnapshotTaken = false;
    mutable std::vector<qsizetype> m_lineStarts;
    mutable bool m_indexValid = false;
};

} // namespace qw
