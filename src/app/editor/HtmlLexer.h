#pragma once

#include "core/highlight/HtmlHighlighter.h"
#include "core/highlight/LineStates.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <Qsci/qscilexercustom.h>

#include <vector>

namespace qw {

// A line at least this long is laid out whole after every key at a cost that
// shows; the editor and its colouring treat it specially.
inline constexpr long kLongLineBytes = 16 * 1024;

class HighlightTheme;

// Colours one Scintilla editor through the core's line highlighter. Style 0
// is the editor's own look (text outside every run); the element classes
// follow as styles 1 to 11 in StyleClass order, drawn in the editor's font
// with the theme's colour and font style.
//
// Colouring is lazy and incremental: Scintilla asks for the lines it is about
// to show (and, with idle styling, for the rest in the background); the state
// each line starts in is kept here, a byte a line, and after an edit
// colouring stops at the first line past the edit whose new start state
// equals the stored one, since everything after it colours as before.
class HtmlLexer : public QsciLexerCustom
{
    Q_OBJECT
public:
    explicit HtmlLexer(HighlightTheme& theme, QObject* parent = nullptr);

    static constexpr int TextStyle = 0;
    static constexpr int styleOfClass(StyleClass c) { return static_cast<int>(c) + 1; }

    // The editor's own font and colours: the default style and the base of
    // every class style.
    void setLook(const QFont& font, const QColor& text, const QColor& paper);
    const QFont& lookFont() const { return m_font; }

    const char* language() const override;
    QString description(int style) const override;
    void styleText(int start, int end) override;
    void setEditor(QsciScintilla* editor) override;

private:
    void applyStyles();
    void noteModified(int position, int type, int linesAdded);
    // Puts the UTF-16 text of the line [from, to) into m_text and the byte
    // offset (from `from`) of each of its code units into m_byteOf.
    void decodeLine(const char* bytes, long length);
    long send(unsigned int msg, unsigned long w = 0, long l = 0) const;

    HighlightTheme& m_theme;
    QFont m_font;
    QColor m_text = Qt::black;
    QColor m_paper = Qt::white;

    // Lines [0, m_coloured) have been coloured at least once since the
    // editor was attached, so their styles and start states are present.
    int m_coloured = 0;
    // Lines before this one were touched by an edit, or hold styles that no
    // longer match their stored start state, and have not been coloured
    // since: colouring must not stop before reaching it.
    int m_dirtyEnd = 0;
    // The state each line starts in, moved with the lines an edit inserts
    // or removes (so noteModified must hear of every edit before colouring
    // runs again).
    LineStates m_states;
    // A long line was coloured from an edit's notice in this turn of the
    // event loop; further edits of the turn wait for the paint.
    bool m_colouredEarly = false;

    // Buffers reused from line to line, so colouring allocates nothing once
    // they are large enough.
    QString m_line;
    std::vector<int> m_byteOf;
    HighlightRuns m_runs;
    std::vector<char> m_styles;
};

} // namespace qw
