#pragma once

#include "core/editor/EditorWidget.h"
#include "core/settings/HighlightStyle.h"
#include "core/text/Utf16Index.h"

#include <QColor>
#include <QFont>
#include <Qsci/qsciscintilla.h>

namespace qw {

class HighlightTheme;
class HtmlLexer;

// The editor's bytes as the UTF-16 index reads them.
class EditorBytes : public Utf8Text
{
public:
    explicit EditorBytes(const QsciScintillaBase& editor) : m_editor(editor) {}
    long length() const override;
    int lineAt(long position) const override;
    void copyBytes(long from, long count, char* to) const override;

private:
    const QsciScintillaBase& m_editor;
};

// The document editor of the window: a QScintilla widget that keeps the
// EditorWidget contract. Scintilla stores UTF-8 with CR LF line ends (every
// line break inserted is converted), so an offset of the contract — UTF-16
// code units with a break counting as two — maps to a byte position through
// a Utf16Index, which counts a few kilobytes at most from its nearest mark.
// Nothing here copies the whole document except text() itself.
class ScintillaEditor : public QsciScintilla, public EditorWidget
{
    Q_OBJECT
public:
    explicit ScintillaEditor(QWidget* parent = nullptr);
    ~ScintillaEditor() override;

    QString text() const override;
    // The same text as the editor holds it, UTF-8 with CR LF breaks: one
    // copy of the bytes, nothing decoded (for copies taken in the background).
    QByteArray utf8Text() const;
    void setText(const QString& text) override;
    void setLines(const QStringList& lines) override;

    qsizetype length() const override;
    int lineCount() const override;
    QString line(int index) const override;
    qsizetype lineStart(int index) const override;
    int lineAtOffset(qsizetype offset) const override;
    QChar charAt(qsizetype offset) const override;
    QString textRange(qsizetype from, qsizetype to) const override;

    qsizetype selectionStart() const override;
    void setSelectionStart(qsizetype offset) override;
    qsizetype selectionLength() const override;
    void setSelectionLength(qsizetype length) override;
    QString selectedText() const override;
    void replaceSelection(const QString& text) override;
    void selectAll() override;
    void scrollCaretIntoView() override;

    int caretLine() const override;
    int caretColumn() const override;
    void gotoLine(int displayLine) override;

    void undo() override;
    void redo() override;
    bool canUndo() const override;
    bool canRedo() const override;
    void clearUndo() override;
    void beginUndoAction() override;
    void endUndoAction() override;

    void cutToClipboard() override;
    void copyToClipboard() override;
    void pasteFromClipboard() override;

    bool isModified() const override;
    void setModified(bool modified) override;
    bool overwrite() const override;
    void setOverwrite(bool on) override;
    bool wordWrap() const override;
    void setWordWrap(bool on) override;
    // Any wrapping keeps the layout cache to the lines on screen.
    void setWrapMode(WrapMode mode) override;
    LineBreak lineBreak() const override { return m_lineBreak; }
    void setLineBreak(LineBreak lb) override { m_lineBreak = lb; }

    void replaceRanges(const QList<Range>& ranges, const QString& replacement) override;

    // The editor settings: font, text and background colour, tab stops.
    // With colouring on they become the lexer's default style, which is
    // also the base of every element class.
    void applyLook(const QString& fontName, int pointSize, ColorRef text, ColorRef background,
                   int tabWidth);

    // Colours the text as HTML in the styles of `theme`, following its
    // changes; nullptr turns colouring off.
    void setHighlightTheme(HighlightTheme* theme);
    HtmlLexer* htmlLexer() const { return m_lexer; }

    // Byte position of Scintilla for an offset of the contract, and back.
    long positionFromOffset(qsizetype offset) const;
    qsizetype offsetFromPosition(long position) const;

Q_SIGNALS:
    // A key or a mouse button was released: the moment the window looks for
    // the tag at the caret.
    void released();

protected:
    // A key held with Alt types nothing: Alt with a letter belongs to the
    // menus (or to nothing), never to the text.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Files dropped on an editor are for the window to open, not text.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class AccessibilityWatch;
    // Character offsets from the start of the text, asked for by assistive
    // technology on every edit, are looked up in Scintilla's UTF-32 line
    // index instead of counted. The index costs four bytes a line, so an
    // editor keeps it only while assistive technology is active.
    void keepCharacterIndex(bool keep);
    long send(unsigned int msg, unsigned long w = 0, long l = 0) const
    {
        return SendScintilla(msg, w, l);
    }
    QString rangeText(long fromPos, long toPos) const;
    // Keeps the UTF-16 index up to date and the measuring cache fitting.
    void noteChange(int position, int type, const char* text, int length);
    // Gives Scintilla's cache of measured text room for a whole long line
    // once the text has one.
    void fitPositionCache(int position, const char* text, int length);
    static constexpr unsigned long kLongLineCacheEntries = 64 * 1024;
    // Loading or closing a text this large frees megabytes of working memory
    // (and wrapping it in the background much more), given back once quiet.
    static constexpr qsizetype kLargeText = 1 << 20;
    bool m_longLineCache = false;
    long displayLineStartPosition(int docLine, int subLine) const;
    int subLineOf(long position, int docLine) const;

    void applyLookToWidget();

    LineBreak m_lineBreak = LineBreak::CrLf;
    EditorBytes m_bytes{*this};
    Utf16Index m_utf16{m_bytes};
    bool m_forcedModified = false;
    HtmlLexer* m_lexer = nullptr;
    QFont m_lookFont;
    QColor m_lookText;
    QColor m_lookPaper;
};

} // namespace qw
