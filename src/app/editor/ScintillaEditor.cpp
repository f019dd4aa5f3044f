#include "app/editor/ScintillaEditor.h"

#include "app/editor/ChangeListeners.h"
#include "app/editor/ColorRef.h"
#include "app/editor/HtmlLexer.h"
#include "app/services/FreedMemory.h"
#include "core/text/TextLines.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <Qsci/qscicommandset.h>

#include <algorithm>
#include <cstring>

namespace qw {

// Tells every editor when assistive technology comes and goes.
class AccessibilityWatch : public QAccessible::ActivationObserver
{
public:
    static void install()
    {
        static AccessibilityWatch watch;
        static const bool installed = (QAccessible::installActivationObserver(&watch), true);
        Q_UNUSED(installed);
    }
    // What the platform says, or what it last told the observers.
    static bool active() { return s_active || QAccessible::isActive(); }
    void accessibilityActiveChanged(bool active) override
    {
        s_active = active;
        const QWidgetList widgets = QApplication::allWidgets();
        for (QWidget* w : widgets) {
            if (auto* editor = qobject_cast<ScintillaEditor*>(w))
                editor->keepCharacterIndex(active);
        }
    }

private:
    static inline bool s_active = false;
};

void ScintillaEditor::keepCharacterIndex(bool keep)
{
    const bool kept = (send(SCI_GETLINECHARACTERINDEX) & SC_LINECHARACTERINDEX_UTF32) != 0;
    if (keep && !kept)
        send(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF32);
    else if (!keep && kept)
        send(SCI_RELEASELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF32);
}

ScintillaEditor::ScintillaEditor(QWidget* parent) : QsciScintilla(parent)
{
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    send(SCI_SETPASTECONVERTENDINGS, 1);
    AccessibilityWatch::install();
    keepCharacterIndex(AccessibilityWatch::active());
    // Colouring asked for beyond the visible lines runs while the window idles.
    send(SCI_SETIDLESTYLING, SC_IDLESTYLING_ALL);
    setWrapMode(WrapWord);
    // The line-number gutter is there but hidden, and no command shows it;
    // nor is Scintilla's own symbol margin shown: the text starts at the
    // editor's left edge.
    setMarginType(0, NumberMargin);
    setMarginLineNumbers(0, true);
    setMarginWidth(0, 0);
    setMarginWidth(1, 0);
    m_lookFont = font();
    m_lookText = color();
    m_lookPaper = paper();
    // Whoever hears of a change through textChanged() asks for offsets at
    // once: the index has heard of it first.
    listenBeforeTextChanged(this, this,
                            [this](int position, int type, const char* text, int length, int, int,
                                   int, int, int,
                                   int) { noteChange(position, type, text, length); });
}

long EditorBytes::length() const
{
    return m_editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
}

int EditorBytes::lineAt(long position) const
{
    return static_cast<int>(m_editor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                                   static_cast<unsigned long>(position)));
}

void EditorBytes::copyBytes(long from, long count, char* to) const
{
    // Read either side of the buffer's gap, so the gap stays where the next
    // key needs it instead of being moved by a reading (of a large text, to
    // its end).
    const long gap = m_editor.SendScintilla(QsciScintillaBase::SCI_GETGAPPOSITION);
    const long end = from + count;
    for (const auto& [a, b] :
         {std::pair{from, std::min(end, gap)}, std::pair{std::max(from, gap), end}}) {
        if (b <= a)
            continue;
        const auto* ptr = reinterpret_cast<const char*>(m_editor.SendScintilla(
            QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(a), b - a));
        std::memcpy(to + (a - from), ptr, static_cast<std::size_t>(b - a));
    }
}

void ScintillaEditor::noteChange(int position, int type, const char* text, int length)
{
    if ((type & SC_MOD_BEFOREDELETE) != 0)
        m_utf16.beforeDeletion(position, length);
    if ((type & SC_MOD_DELETETEXT) != 0)
        m_utf16.deleted(position, length);
    if ((type & SC_MOD_INSERTTEXT) != 0) {
        m_utf16.inserted(position, text, length);
        fitPositionCache(position, text, length);
    }
}

ScintillaEditor::~ScintillaEditor()
{
    // The index goes before the widget: it hears of nothing more.
    disconnect(this, &QsciScintillaBase::SCN_MODIFIED, this, nullptr);
    if (send(SCI_GETLENGTH) > kLargeText)
        returnFreedMemoryWhenQuiet();
}

void ScintillaEditor::fitPositionCache(int position, const char* text, int length)
{
    if (m_longLineCache)
        return;
    // The longest line the insertion made: one inside the text, or the
    // lines it joined at its two ends.
    long longest = 0;
    if (text != nullptr) {
        const char* from = text;
        const char* end = text + length;
        while (from < end) {
            const auto* brk =
                static_cast<const char*>(std::memchr(from, '\n', std::size_t(end - from)));
            const char* stop = brk != nullptr ? brk : end;
            longest = std::max<long>(longest, stop - from);
            from = stop + 1;
        }
    }
    for (const long pos : {static_cast<long>(position), static_cast<long>(position) + length}) {
        const long line = send(SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
        longest = std::max(longest, send(SCI_LINELENGTH, static_cast<unsigned long>(line)));
    }
    if (longest < kLongLineBytes)
        return;
    // A line this long is laid out whole after every key. Scintilla keeps
    // the widths of 1024 short pieces of text only, so nearly every piece of
    // such a line was measured again by the font engine each time; with room
    // for all of them (some MB at most) a key costs a look-up per piece.
    send(SCI_SETPOSITIONCACHE, kLongLineCacheEntries);
    // Annotations (never shown here) make every edit lay its line out at
    // once to count its height, before the new colours are in; the paint
    // then lays it out again. For such a line that is a second full layout
    // per key, so the height is left to the paint's own wrapping.
    setAnnotationDisplay(AnnotationHidden);
    m_longLineCache = true;
}

void ScintillaEditor::applyLook(const QString& fontName, int pointSize, ColorRef text,
                                ColorRef background, int tabWidth)
{
    m_lookFont = QFont(fontName, pointSize);
    m_lookText = toQColor(text);
    m_lookPaper = toQColor(background);
    setMarginsFont(m_lookFont);
    applyLookToWidget();
    setTabWidth(tabWidth > 0 ? tabWidth : 8);
}

void ScintillaEditor::applyLookToWidget()
{
    // A widget with a lexer takes its look from the lexer's styles only.
    if (m_lexer != nullptr) {
        m_lexer->setLook(m_lookFont, m_lookText, m_lookPaper);
        return;
    }
    setFont(m_lookFont);
    if (m_lookText.isValid())
        setColor(m_lookText);
    if (m_lookPaper.isValid())
        setPaper(m_lookPaper);
}

void ScintillaEditor::setHighlightTheme(HighlightTheme* theme)
{
    if (m_lexer != nullptr) {
        setLexer(nullptr);
        delete m_lexer;
        m_lexer = nullptr;
    }
    if (theme != nullptr) {
        m_lexer = new HtmlLexer(*theme, this);
        m_lexer->setLook(m_lookFont, m_lookText, m_lookPaper);
        setLexer(m_lexer);
    }
    applyLookToWidget();
}

void ScintillaEditor::keyPressEvent(QKeyEvent* event)
{
    // Scintilla adds the text of any key its commands do not take, Alt or
    // not. AltGr (the third level of a layout: @, {, < on a Czech keyboard)
    // does not report Alt, so what it types still goes in. Ignored, the key
    // goes on to the window, as an unhandled key should.
    const QString text = event->text();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers.testFlag(Qt::AltModifier) && !text.isEmpty() && text.front().isPrint() &&
        standardCommands()->boundTo(event->key() | modifiers.toInt()) == nullptr) {
        event->ignore();
        return;
    }
    QsciScintilla::keyPressEvent(event);
}

void ScintillaEditor::keyReleaseEvent(QKeyEvent* event)
{
    QsciScintilla::keyReleaseEvent(event);
    Q_EMIT released();
}

void ScintillaEditor::mouseReleaseEvent(QMouseEvent* event)
{
    QsciScintilla::mouseReleaseEvent(event);
    Q_EMIT released();
}

long ScintillaEditor::positionFromOffset(qsizetype offset) const
{
    return m_utf16.positionOfUnits(offset);
}

qsizetype ScintillaEditor::offsetFromPosition(long position) const
{
    return m_utf16.unitsBefore(position);
}

QString ScintillaEditor::rangeText(long fromPos, long toPos) const
{
    if (toPos <= fromPos)
        return {};
    const auto* ptr = reinterpret_cast<const char*>(
        send(SCI_GETRANGEPOINTER, static_cast<unsigned long>(fromPos), toPos - fromPos));
    return QString::fromUtf8(ptr, toPos - fromPos);
}

QString ScintillaEditor::text() const
{
    return rangeText(0, send(SCI_GETLENGTH));
}

QByteArray ScintillaEditor::utf8Text() const
{
    const long length = send(SCI_GETLENGTH);
    if (length <= 0)
        return {};
    QByteArray bytes(length, Qt::Uninitialized);
    m_bytes.copyBytes(0, length, bytes.data());
    return bytes;
}

void ScintillaEditor::setText(const QString& text)
{
    // With wrapping on, Scintilla lays out every inserted line before the
    // insertion returns: seconds per megabyte. A large text goes in
    // unwrapped; its lines are wrapped as they come on screen and the rest
    // while the window idles, and until then a line not yet reached counts
    // as one display line. A small text is wrapped at once, so that its
    // display lines are exact from the start.
    constexpr qsizetype wrapAtOnceLimit = 64 * 1024;
    const long wrap = send(SCI_GETWRAPMODE);
    const bool deferWrap = wrap != SC_WRAP_NONE && text.size() > wrapAtOnceLimit;
    if (deferWrap)
        send(SCI_SETWRAPMODE, SC_WRAP_NONE);
    const long readOnly = send(SCI_GETREADONLY);
    send(SCI_SETREADONLY, 0);
    // Neither the old text nor the load is kept for undo. The UTF-8 bytes are
    // made piece by piece, so that no converted copy of the whole QString is
    // made on the way, and handed over in one insertion: Scintilla's work
    // per insertion grows with the document.
    QByteArray utf8;
    utf8.reserve(text.size() + text.size() / 4 + 16);
    constexpr qsizetype chunk = 1 << 20;
    const qsizetype n = text.size();
    for (qsizetype from = 0; from < n;) {
        qsizetype to = std::min(n, from + chunk);
        // A CR LF pair and a surrogate pair each stay within one piece.
        if (to < n && (text.at(to - 1) == u'\r' || text.at(to - 1).isHighSurrogate()))
            ++to;
        utf8 += withCrLfBreaks(QStringView(text).sliced(from, to - from)).toUtf8();
        from = to;
    }
    send(SCI_SETUNDOCOLLECTION, 0);
    send(SCI_CLEARALL);
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.constData());
    utf8 = QByteArray();
    send(SCI_SETUNDOCOLLECTION, 1);
    send(SCI_EMPTYUNDOBUFFER);
    send(SCI_SETREADONLY, static_cast<unsigned long>(readOnly));
    if (deferWrap)
        send(SCI_SETWRAPMODE, static_cast<unsigned long>(wrap));
    send(SCI_SETEMPTYSELECTION, 0);
    if (text.size() > kLargeText)
        returnFreedMemoryWhenQuiet();
}

void ScintillaEditor::setLines(const QStringList& lines)
{
    setText(lines.join(u"\r\n"));
}

qsizetype ScintillaEditor::length() const
{
    return offsetFromPosition(send(SCI_GETLENGTH));
}

int ScintillaEditor::lineCount() const
{
    return static_cast<int>(send(SCI_GETLINECOUNT));
}

QString ScintillaEditor::line(int index) const
{
    if (index < 0 || index >= lineCount())
        return {};
    const long from = send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(index));
    const long to = send(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(index));
    return rangeText(from, to);
}

qsizetype ScintillaEditor::lineStart(int index) const
{
    if (index <= 0)
        return 0;
    if (index >= lineCount())
        return length() + 2;
    return m_utf16.unitsBefore(send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(index)));
}

int ScintillaEditor::lineAtOffset(qsizetype offset) const
{
    if (offset <= 0)
        return 0;
    return m_utf16.lineOfUnits(offset);
}

QChar ScintillaEditor::charAt(qsizetype offset) const
{
    if (offset < 0)
        return {};
    const long pos = positionFromOffset(offset);
    const long docLength = send(SCI_GETLENGTH);
    if (pos >= docLength)
        return {};
    const unsigned char lead =
        static_cast<unsigned char>(send(SCI_GETCHARAT, static_cast<unsigned long>(pos)));
    if (lead < 0x80)
        return QChar(static_cast<char16_t>(lead));
    const long next = send(SCI_POSITIONAFTER, static_cast<unsigned long>(pos));
    const QString s = rangeText(pos, next);
    // An offset inside a surrogate pair lands on the pair's start position;
    // answer the half the offset names.
    if (s.size() == 2 && offsetFromPosition(pos) != offset)
        return s.at(1);
    return s.isEmpty() ? QChar() : s.at(0);
}

QString ScintillaEditor::textRange(qsizetype from, qsizetype to) const
{
    const qsizetype len = length();
    from = std::clamp<qsizetype>(from, 0, len);
    to = std::clamp<qsizetype>(to, from, len);
    return rangeText(positionFromOffset(from), positionFromOffset(to));
}

qsizetype ScintillaEditor::selectionStart() const
{
    return offsetFromPosition(send(SCI_GETCURRENTPOS));
}

void ScintillaEditor::setSelectionStart(qsizetype offset)
{
    send(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(positionFromOffset(offset)));
    send(SCI_SCROLLCARET);
}

qsizetype ScintillaEditor::selectionLength() const
{
    return offsetFromPosition(send(SCI_GETANCHOR)) - offsetFromPosition(send(SCI_GETCURRENTPOS));
}

void ScintillaEditor::setSelectionLength(qsizetype length)
{
    const qsizetype caret = selectionStart();
    const qsizetype anchor = std::clamp<qsizetype>(caret + length, 0, this->length());
    const long caretPos = send(SCI_GETCURRENTPOS);
    send(SCI_SETSEL, static_cast<unsigned long>(positionFromOffset(anchor)), caretPos);
}

QString ScintillaEditor::selectedText() const
{
    const long a = send(SCI_GETANCHOR);
    const long c = send(SCI_GETCURRENTPOS);
    return rangeText(std::min(a, c), std::max(a, c));
}

void ScintillaEditor::replaceSelection(const QString& text)
{
    const QByteArray utf8 = withCrLfBreaks(text).toUtf8();
    SendScintilla(SCI_REPLACESEL, 0UL, utf8.constData());
}

void ScintillaEditor::selectAll()
{
    send(SCI_SETSEL, 0, send(SCI_GETLENGTH));
}

void ScintillaEditor::scrollCaretIntoView()
{
    send(SCI_SCROLLCARET);
}

int ScintillaEditor::subLineOf(long position, int docLine) const
{
    const long lineY = send(SCI_POINTYFROMPOSITION, 0,
                            send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(docLine)));
    const long height =
        std::max<long>(1, send(SCI_TEXTHEIGHT, static_cast<unsigned long>(docLine)));
    const long y = send(SCI_POINTYFROMPOSITION, 0, position);
    const int wraps = static_cast<int>(send(SCI_WRAPCOUNT, static_cast<unsigned long>(docLine)));
    return std::clamp(static_cast<int>((y - lineY) / height), 0, std::max(0, wraps - 1));
}

long ScintillaEditor::displayLineStartPosition(int docLine, int subLine) const
{
    long lo = send(SCI_POSITIONFROMLINE, static_cast<unsigned long>(docLine));
    if (subLine <= 0)
        return lo;
    long hi = send(SCI_GETLINEENDPOSITION, static_cast<unsigned long>(docLine));
    // The first position whose display line is subLine: positions only ever
    // move down a line as they grow, so a binary search finds it.
    while (lo < hi) {
        const long mid = lo + (hi - lo) / 2;
        if (subLineOf(mid, docLine) >= subLine)
            hi = mid;
        else
            lo = send(SCI_POSITIONAFTER, static_cast<unsigned long>(mid));
    }
    return lo;
}

int ScintillaEditor::caretLine() const
{
    const long pos = send(SCI_GETCURRENTPOS);
    const int docLine =
        static_cast<int>(send(SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
    // Without wrapping a display line is a real line; Scintilla's wrap counts
    // may still describe the wrapped layout until it repaints.
    if (!wordWrap())
        return docLine;
    const int first =
        static_cast<int>(send(SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(docLine)));
    return first + subLineOf(pos, docLine);
}

int ScintillaEditor::caretColumn() const
{
    const long pos = send(SCI_GETCURRENTPOS);
    const int docLine =
        static_cast<int>(send(SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos)));
    if (!wordWrap())
        return static_cast<int>(offsetFromPosition(pos) - lineStart(docLine));
    const long start = displayLineStartPosition(docLine, subLineOf(pos, docLine));
    // Counted within the display line only: from the start of a long line
    // it would walk the whole line on every key.
    return static_cast<int>(send(SCI_COUNTCODEUNITS, static_cast<unsigned long>(start), pos));
}

void ScintillaEditor::gotoLine(int displayLine)
{
    const int lines = lineCount();
    const int last = lines - 1;
    if (!wordWrap()) {
        setSelectionStart(lineStart(std::clamp(displayLine, 0, last)));
        return;
    }
    const int totalDisplay =
        static_cast<int>(send(SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(last)) +
                         send(SCI_WRAPCOUNT, static_cast<unsigned long>(last)));
    displayLine = std::clamp(displayLine, 0, std::max(0, totalDisplay - 1));
    const int docLine =
        static_cast<int>(send(SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(displayLine)));
    const int first =
        static_cast<int>(send(SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(docLine)));
    const long pos = displayLineStartPosition(docLine, displayLine - first);
    send(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(pos));
    send(SCI_SCROLLCARET);
}

void ScintillaEditor::undo()
{
    QsciScintilla::undo();
}

void ScintillaEditor::redo()
{
    QsciScintilla::redo();
}

bool ScintillaEditor::canUndo() const
{
    return send(SCI_CANUNDO) != 0;
}

bool ScintillaEditor::canRedo() const
{
    return send(SCI_CANREDO) != 0;
}

void ScintillaEditor::clearUndo()
{
    send(SCI_EMPTYUNDOBUFFER);
}

void ScintillaEditor::beginUndoAction()
{
    send(SCI_BEGINUNDOACTION);
}

void ScintillaEditor::endUndoAction()
{
    send(SCI_ENDUNDOACTION);
}

void ScintillaEditor::cutToClipboard()
{
    if (selectionLength() != 0)
        QsciScintilla::cut();
}

void ScintillaEditor::copyToClipboard()
{
    if (selectionLength() != 0)
        QsciScintilla::copy();
}

void ScintillaEditor::pasteFromClipboard()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText())
        return;
    replaceSelection(data->text());
}

bool ScintillaEditor::isModified() const
{
    return m_forcedModified || send(SCI_GETMODIFY) != 0;
}

void ScintillaEditor::setModified(bool modified)
{
    // Scintilla can only forget changes (a save point); being told "modified"
    // without a change is remembered beside it.
    m_forcedModified = modified;
    if (!modified)
        send(SCI_SETSAVEPOINT);
}

bool ScintillaEditor::overwrite() const
{
    return send(SCI_GETOVERTYPE) != 0;
}

void ScintillaEditor::setOverwrite(bool on)
{
    send(SCI_SETOVERTYPE, on ? 1 : 0);
}

bool ScintillaEditor::wordWrap() const
{
    return wrapMode() != WrapNone;
}

void ScintillaEditor::setWordWrap(bool on)
{
    setWrapMode(on ? WrapWord : WrapNone);
}

void ScintillaEditor::setWrapMode(WrapMode mode)
{
    QsciScintilla::setWrapMode(mode);
    // QScintilla keeps the layout of every line of the document while
    // wrapping: hundreds of megabytes for a large page. The lines on screen
    // are enough.
    send(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
}

void ScintillaEditor::replaceRanges(const QList<Range>& ranges, const QString& replacement)
{
    if (ranges.isEmpty())
        return;
    // QScintilla reports every modification to the accessibility layer with
    // an offset it counts from the start of the document, so one modification
    // per range would make a bulk replacement quadratic. The span from the
    // first range to the last is rebuilt once and replaced in one piece.
    const qsizetype total = length();
    const qsizetype spanFrom = std::clamp<qsizetype>(ranges.constFirst().from, 0, total);
    const qsizetype spanTo = std::clamp<qsizetype>(ranges.constLast().to, spanFrom, total);
    const QString insert = withCrLfBreaks(replacement);
    QString rebuilt;
    qsizetype pos = spanFrom;
    for (const Range& r : ranges) {
        const qsizetype from = std::clamp<qsizetype>(r.from, pos, spanTo);
        const qsizetype to = std::clamp<qsizetype>(r.to, from, spanTo);
        rebuilt += textRange(pos, from);
        rebuilt += insert;
        pos = to;
    }
    const qsizetype caretInRebuilt = rebuilt.size();
    rebuilt += textRange(pos, spanTo);

    const long fromPos = positionFromOffset(spanFrom);
    const long toPos = positionFromOffset(spanTo);
    const QByteArray head = QStringView(rebuilt).first(caretInRebuilt).toUtf8();
    const QByteArray utf8 = head + QStringView(rebuilt).sliced(caretInRebuilt).toUtf8();
    UndoGroup group(*this);
    send(SCI_SETTARGETRANGE, static_cast<unsigned long>(fromPos), toPos);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()), utf8.constData());
    send(SCI_SETEMPTYSELECTION, static_cast<unsigned long>(fromPos + head.size()));
}

void ScintillaEditor::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QsciScintilla::dragEnterEvent(event);
}

void ScintillaEditor::dropEvent(QDropEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QsciScintilla::dropEvent(event);
}

} // namespace qw
