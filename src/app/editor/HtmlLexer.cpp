#include "app/editor/HtmlLexer.h"

#include "app/editor/ChangeListeners.h"
#include "app/editor/ColorRef.h"
#include "app/editor/HighlightTheme.h"

#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace qw {

namespace {
using Sci = QsciScintillaBase;

const char* const kClassNames[StyleClassCount] = {
    "Bracket",       "DefaultText",   "HtmlKeyword",        "HtmlTag",
    "HtmlComment",   "HtmlAttribute", "HtmlAttributeValue", "ScriptTag",
    "ScriptContent", "SpecialChars",  "UnknownTag",
};

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}
} // namespace

HtmlLexer::HtmlLexer(HighlightTheme& theme, QObject* parent)
    : QsciLexerCustom(parent), m_theme(theme)
{
    connect(&m_theme, &HighlightTheme::stylesChanged, this, [this] { applyStyles(); });
    applyStyles();
}

const char* HtmlLexer::language() const
{
    return "HTML";
}

QString HtmlLexer::description(int style) const
{
    if (style == TextStyle)
        return QStringLiteral("Text");
    if (style >= 1 && style <= int(StyleClassCount))
        return QString::fromLatin1(kClassNames[style - 1]);
    return {};
}

void HtmlLexer::setLook(const QFont& font, const QColor& text, const QColor& paper)
{
    m_font = font;
    m_text = text.isValid() ? text : QColor(Qt::black);
    m_paper = paper.isValid() ? paper : QColor(Qt::white);
    applyStyles();
}

void HtmlLexer::applyStyles()
{
    setDefaultFont(m_font);
    setDefaultColor(m_text);
    setDefaultPaper(m_paper);
    auto put = [this](int style, const QFont& font, const QColor& fore, const QColor& back) {
        QsciLexer::setFont(font, style);
        QsciLexer::setColor(fore, style);
        QsciLexer::setPaper(back, style);
    };
    put(Sci::STYLE_DEFAULT, m_font, m_text, m_paper);
    put(TextStyle, m_font, m_text, m_paper);
    for (std::size_t i = 0; i < StyleClassCount; ++i) {
        const HighlightStyle& st = m_theme.styles()[i];
        QFont font = m_font;
        font.setBold(st.bold);
        font.setItalic(st.italic);
        font.setUnderline(st.underline);
        // "No colour" as a foreground draws in the editor's own colour.
        const QColor fore = toQColor(st.foreground);
        const QColor back = st.hasBackground ? toQColor(st.background) : m_paper;
        put(static_cast<int>(i) + 1, font, fore.isValid() ? fore : m_text,
            back.isValid() ? back : m_paper);
    }
}

void HtmlLexer::setEditor(QsciScintilla* editor)
{
    if (QsciScintilla* old = this->editor())
        disconnect(old, &QsciScintillaBase::SCN_MODIFIED, this, nullptr);
    QsciLexerCustom::setEditor(editor);
    m_coloured = 0;
    m_dirtyEnd = 0;
    m_states.reset(editor != nullptr ? static_cast<int>(send(Sci::SCI_GETLINECOUNT)) : 1);
    if (editor != nullptr) {
        // Heard before textChanged() goes out: whoever hears that may have
        // the text coloured at once.
        listenBeforeTextChanged(editor, this,
                                [this](int position, int type, const char*, int, int linesAdded,
                                       int, int, int, int,
                                       int) { noteModified(position, type, linesAdded); });
    }
}

long HtmlLexer::send(unsigned int msg, unsigned long w, long l) const
{
    return editor()->SendScintilla(msg, w, l);
}

void HtmlLexer::noteModified(int position, int type, int linesAdded)
{
    if ((type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)) == 0)
        return;
    const int line = static_cast<int>(send(Sci::SCI_LINEFROMPOSITION, position));
    if (linesAdded > 0)
        m_states.replaceLines(line, 1, 1 + linesAdded);
    else if (linesAdded < 0)
        m_states.replaceLines(line, 1 - linesAdded, 1);
    // Lines after the edit moved by linesAdded and keep their styles; the
    // edited lines themselves must be coloured before colouring may stop.
    if (m_coloured > line)
        m_coloured = std::max(line + 1, m_coloured + linesAdded);
    if (m_dirtyEnd > line)
        m_dirtyEnd = std::max(line + 1, m_dirtyEnd + linesAdded);
    m_dirtyEnd = std::max(m_dirtyEnd, line + std::max(linesAdded, 0) + 1);

    // An edit inside one long line is coloured now, not at the next paint.
    // Scintilla lays the line out again before that paint (to keep the caret
    // in view); coloured later, the new styles would make the paint lay the
    // whole line out a second time. Once a turn: a replacement of many
    // places makes many edits in one go, and the paint colours them once.
    if (linesAdded == 0 && line < m_coloured && !m_colouredEarly) {
        const long start = send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        const long end = send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
        if (end - start >= kLongLineBytes) {
            m_colouredEarly = true;
            QTimer::singleShot(0, this, [this] { m_colouredEarly = false; });
            styleText(static_cast<int>(start), static_cast<int>(end));
        }
    }
}

void HtmlLexer::decodeLine(const char* bytes, long length)
{
    // A code unit never takes less than one byte.
    m_line.resize(length);
    m_byteOf.resize(static_cast<std::size_t>(length) + 1);
    QChar* out = m_line.data();
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    qsizetype n = 0;
    long i = 0;
    while (i < length) {
        const unsigned char c = b[i];
        m_byteOf[static_cast<std::size_t>(n)] = static_cast<int>(i);
        if (c < 0x80) {
            out[n++] = QChar(static_cast<char16_t>(c));
            ++i;
            continue;
        }
        int size = c >= 0xF0 && c <= 0xF4  ? 4
                   : c >= 0xE0 && c < 0xF0 ? 3
                   : c >= 0xC2 && c < 0xE0 ? 2
                                           : 1;
        if (i + size > length)
            size = 1;
        for (int k = 1; k < size; ++k) {
            if (!isContinuation(b[i + k])) {
                size = 1;
                break;
            }
        }
        // Only ASCII decides the colouring; other characters need the right
        // number of code units so that runs map back to the right bytes.
        if (size == 1) {
            out[n++] = QChar(QChar::ReplacementCharacter);
        } else if (size < 4) {
            const char32_t cp =
                size == 2 ? (c & 0x1Fu) << 6 | (b[i + 1] & 0x3Fu)
                          : (c & 0x0Fu) << 12 | (b[i + 1] & 0x3Fu) << 6 | (b[i + 2] & 0x3Fu);
            out[n++] = QChar(static_cast<char16_t>(cp));
        } else {
            const char32_t cp = (c & 0x07u) << 18 | (b[i + 1] & 0x3Fu) << 12 |
                                (b[i + 2] & 0x3Fu) << 6 | (b[i + 3] & 0x3Fu);
            out[n++] = QChar(QChar::highSurrogate(cp));
            m_byteOf[static_cast<std::size_t>(n)] = static_cast<int>(i);
            out[n++] = QChar(QChar::lowSurrogate(cp));
        }
        i += size;
    }
    m_byteOf[static_cast<std::size_t>(n)] = static_cast<int>(length);
    m_line.resize(n);
}

void HtmlLexer::styleText(int start, int end)
{
    QsciScintilla* ed = editor();
    if (ed == nullptr)
        return;
    const long docLength = send(Sci::SCI_GETLENGTH);
    const int lineCount = static_cast<int>(send(Sci::SCI_GETLINECOUNT));
    const long until = std::min<long>(end, docLength);
    int line = static_cast<int>(send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start)));
    const long firstPos = send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    if (m_states.lineCount() != lineCount) {
        // Lines came or went unheard of: nothing stored can be trusted.
        m_states.reset(lineCount);
        m_coloured = 0;
        m_dirtyEnd = 0;
    }
    m_coloured = std::min(m_coloured, lineCount);
    LineState state = line == 0 ? LineState::Text : m_states.startState(line);

    m_styles.clear();
    long pos = firstPos;
    bool reachedKnown = false;
    while (line < lineCount && pos < until) {
        const long contentEnd = send(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
        const long next = line + 1 < lineCount ? send(Sci::SCI_POSITIONFROMLINE,
                                                      static_cast<unsigned long>(line + 1))
                                               : docLength;
        const long length = contentEnd - pos;
        if (length > 0) {
            // A window onto the buffer: no copy of the document, and the gap
            // moves only when this line holds it.
            decodeLine(reinterpret_cast<const char*>(
                           send(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(pos), length)),
                       length);
        } else {
            m_line.clear();
            m_byteOf.assign(1, 0);
        }
        const LineState endState = highlightLine(m_line, state, m_runs);

        const std::size_t base = m_styles.size();
        m_styles.resize(base + static_cast<std::size_t>(next - pos), char(TextStyle));
        for (const HighlightRun& run : m_runs) {
            const auto from = base + static_cast<std::size_t>(m_byteOf[std::size_t(run.start)]);
            const auto to =
                base + static_cast<std::size_t>(m_byteOf[std::size_t(run.start + run.length)]);
            std::fill(m_styles.begin() + std::ptrdiff_t(from),
                      m_styles.begin() + std::ptrdiff_t(to), char(styleOfClass(run.style)));
        }

        ++line;
        pos = next;
        state = endState;
        if (line < lineCount) {
            if (!m_states.holds(line, endState)) {
                m_states.store(line, endState);
            } else if (line < m_coloured && line >= m_dirtyEnd) {
                reachedKnown = true;
                break;
            }
        }
    }

    // An empty last line has nothing to style; its start state is stored.
    if (pos >= docLength)
        line = lineCount;
    if (!m_styles.empty()) {
        send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(firstPos));
        ed->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(m_styles.size()),
                          m_styles.data());
    }
    if (!reachedKnown && line < lineCount) {
        // Stopped where Scintilla asked, perhaps mid-way through a change
        // that runs on: the next line's stored state is new but its styles
        // are old, so no later pass may trust it before colouring it.
        m_dirtyEnd = std::max(m_dirtyEnd, line + 1);
    } else if (line >= m_dirtyEnd) {
        m_dirtyEnd = 0;
    }
    if (reachedKnown) {
        // The lines up to m_coloured still hold their styles: tell Scintilla
        // they are done, so it does not ask for them again.
        const long known = m_coloured < lineCount ? send(Sci::SCI_POSITIONFROMLINE,
                                                         static_cast<unsigned long>(m_coloured))
                                                  : docLength;
        send(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(known));
    } else {
        m_coloured = std::max(m_coloured, line);
    }
}

} // namespace qw
