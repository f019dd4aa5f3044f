#pragma once

#include "core/text/LineBreak.h"

#include <QString>
#include <QStringList>

namespace qw {

// The contract every document editor keeps. Offsets count characters (UTF-16
// code units) of the whole text as if its lines were joined by CR LF, so a
// line break always counts as two. The selection is the caret plus a signed
// length: positive selects forwards from the caret, negative backwards.
//
// Everything that decides something about text is written once against this
// interface; the in-memory MemoryEditor and the window's Scintilla editor both
// implement it and run the same contract tests.
//
// Hot paths (a key press, the tag search) must use charAt/textRange/line
// access, never text(): on a large document text() copies megabytes.
class EditorWidget
{
public:
    virtual ~EditorWidget() = default;

    // Whole text, lines joined by CR LF, no break after the last line.
    virtual QString text() const = 0;
    // Replaces the whole content. CR LF, CR and LF alone all end a line.
    // The caret goes to 0; callers restore it themselves.
    virtual void setText(const QString& text) = 0;
    // Replaces the content with these lines.
    virtual void setLines(const QStringList& lines) = 0;

    // Length of text() without building it.
    virtual qsizetype length() const = 0;
    // Real lines (not display lines); an empty editor has one empty line.
    virtual int lineCount() const = 0;
    virtual QString line(int index) const = 0;
    // Offset of the first character of a line; lineStart(lineCount()) is
    // length() + 2, as if a break followed the last line.
    virtual qsizetype lineStart(int index) const = 0;
    // The line holding an offset (a break's CR and LF belong to the line they end).
    virtual int lineAtOffset(qsizetype offset) const = 0;
    // The character at an offset: '\r' and '\n' at a line break; a null QChar
    // outside 0 .. length()-1.
    virtual QChar charAt(qsizetype offset) const = 0;
    // Characters from..to (to exclusive), clamped to the text; breaks as CR LF.
    virtual QString textRange(qsizetype from, qsizetype to) const = 0;

    virtual qsizetype selectionStart() const = 0;
    // Removes the selection, clamps to 0..length(), moves the caret, scrolls to it.
    virtual void setSelectionStart(qsizetype offset) = 0;
    virtual qsizetype selectionLength() const = 0;
    // Selects from the caret (the caret does not move), clamped to the text.
    virtual void setSelectionLength(qsizetype length) = 0;
    virtual QString selectedText() const = 0;
    // Replaces the selection (or inserts at the caret); afterwards nothing is
    // selected and the caret stands after the inserted text. Sets modified.
    virtual void replaceSelection(const QString& text) = 0;
    // Caret at the end, everything selected backwards.
    virtual void selectAll() = 0;
    virtual void scrollCaretIntoView() = 0;

    // Display lines: with word wrap a long line counts as several.
    virtual int caretLine() const = 0;
    virtual int caretColumn() const = 0;
    virtual void gotoLine(int displayLine) = 0;

    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual bool canUndo() const = 0;
    virtual bool canRedo() const = 0;
    virtual void clearUndo() = 0;
    // Groups every change until the matching end into one undo step. Nests.
    virtual void beginUndoAction() = 0;
    virtual void endUndoAction() = 0;

    virtual void cutToClipboard() = 0;
    virtual void copyToClipboard() = 0;
    virtual void pasteFromClipboard() = 0;

    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;
    virtual bool overwrite() const = 0;
    virtual void setOverwrite(bool on) = 0;
    virtual bool wordWrap() const = 0;
    virtual void setWordWrap(bool on) = 0;
    virtual LineBreak lineBreak() const = 0;
    virtual void setLineBreak(LineBreak lb) = 0;

    // Replaces each range [from, to) — sorted, not overlapping — by the same
    // text, as one undo step, in time linear in the text. The caret ends after
    // the last replacement. The default goes through replaceSelection from the
    // last range back to the first; implementations with a faster way override it.
    struct Range
    {
        qsizetype from = 0;
        qsizetype to = 0;
    };
    virtual void replaceRanges(const QList<Range>& ranges, const QString& replacement);
};

// Selects [from, to) and replaces it: the one way the core rewrites a known span.
void replaceRange(EditorWidget& editor, qsizetype from, qsizetype to, const QString& text);

// RAII grouping of edits into one undo step.
class UndoGroup
{
public:
    explicit UndoGroup(EditorWidget& editor) : m_editor(editor) { m_editor.beginUndoAction(); }
    ~UndoGroup() { m_editor.endUndoAction(); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    EditorWidget& m_editor;
};

} // namespace qw
