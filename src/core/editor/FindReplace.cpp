#include "core/editor/FindReplace.h"

#include <QList>

#include <algorithm>
#include <optional>

namespace qw {

bool isWordSeparator(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u' ':
    case u'$':
    case u'%':
    case u'&':
    case u',':
    case u'.':
    case u'/':
    case u':':
    case u';':
    case u'<':
    case u'=':
    case u'>':
        return true;
    default:
        return false;
    }
}

namespace {

// Lower-cases the ASCII letters only, so that Č and č stay different.
void foldAscii(QString& s)
{
    QChar* data = s.data();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c >= u'A' && c <= u'Z')
            data[i] = QChar(static_cast<char16_t>(c + (u'a' - u'A')));
    }
}

// A line break or the outside of the text (a null character) bounds a word
// like a separator does.
bool isBoundary(QChar c)
{
    return c.isNull() || c == u'\r' || c == u'\n' || isWordSeparator(c);
}

// Finds where the search text occurs in the editor, reading a window of text
// at a time and keeping the last window, so that a run of searches moving
// through the text reads each character about once.
class Matcher
{
public:
    Matcher(const EditorWidget& editor, const QString& what, const FindOptions& options)
        : m_editor(editor), m_pattern(what), m_matchCase(options.matchCase),
          m_wholeWords(options.wholeWords), m_total(editor.length()),
          m_window(std::max<qsizetype>(qsizetype(1) << 16, 4 * what.size()))
    {
        if (!m_matchCase)
            foldAscii(m_pattern);
    }

    bool searchable() const
    {
        return !m_pattern.isEmpty() && !m_pattern.contains(u'\r') && !m_pattern.contains(u'\n');
    }

    qsizetype size() const { return m_pattern.size(); }
    bool wholeWords() const { return m_wholeWords; }
    QChar charAt(qsizetype offset) const { return m_editor.charAt(offset); }

    bool endsWord(qsizetype start) const { return isBoundary(charAt(start + size())); }
    bool isWord(qsizetype start) const { return isBoundary(charAt(start - 1)) && endsWord(start); }

    // The first place at or after `from` where the text matches, word bounds
    // not considered; -1 if there is none.
    qsizetype nextCandidate(qsizetype from)
    {
        const qsizetype n = size();
        from = std::max<qsizetype>(from, 0);
        while (from + n <= m_total) {
            if (from < m_start || from + n > m_end)
                load(from, std::min(m_total, from + m_window));
            const qsizetype k = QStringView(m_chunk).indexOf(m_pattern, from - m_start);
            if (k >= 0)
                return m_start + k;
            if (m_end >= m_total)
                return -1;
            // The next window overlaps this one by less than one match.
            from = m_end - n + 1;
        }
        return -1;
    }

    // The last place starting before `before` where the text matches, word
    // bounds not considered; -1 if there is none.
    qsizetype previousCandidate(qsizetype before)
    {
        const qsizetype n = size();
        qsizetype last = std::min(before - 1, m_total - n);
        while (last >= 0) {
            if (last < m_start || last + n > m_end)
                load(std::max<qsizetype>(0, last + n - m_window), last + n);
            const qsizetype k = QStringView(m_chunk).lastIndexOf(m_pattern, last - m_start);
            if (k >= 0)
                return m_start + k;
            if (m_start == 0)
                return -1;
            last = m_start - 1;
        }
        return -1;
    }

private:
    void load(qsizetype from, qsizetype to)
    {
        m_chunk = m_editor.textRange(from, to);
        if (!m_matchCase)
            foldAscii(m_chunk);
        m_start = from;
        m_end = from + m_chunk.size();
    }

    const EditorWidget& m_editor;
    QString m_pattern;
    bool m_matchCase;
    bool m_wholeWords;
    qsizetype m_total;
    qsizetype m_window;
    QString m_chunk;
    qsizetype m_start = 0;
    qsizetype m_end = 0;
};

qsizetype findForward(Matcher& m, qsizetype from)
{
    qsizetype p = m.nextCandidate(from);
    while (p >= 0 && m.wholeWords() && !m.isWord(p))
        p = m.nextCandidate(p + 1);
    return p;
}

qsizetype findBackward(Matcher& m, qsizetype before)
{
    qsizetype p = m.previousCandidate(before);
    while (p >= 0 && m.wholeWords() && !m.isWord(p))
        p = m.previousCandidate(p);
    return p;
}

} // namespace

bool findText(EditorWidget& editor, const QString& what, const FindOptions& options)
{
    Matcher m(editor, what, options);
    if (!m.searchable())
        return false;
    const qsizetype caret = editor.selectionStart();
    if (options.forward) {
        const qsizetype p = findForward(m, caret);
        if (p < 0)
            return false;
        editor.setSelectionStart(p + m.size());
        editor.setSelectionLength(-m.size());
    } else {
        const qsizetype p = findBackward(m, caret);
        if (p < 0)
            return false;
        editor.setSelectionStart(p);
        editor.setSelectionLength(m.size());
    }
    return true;
}

bool replaceNext(EditorWidget& editor, const QString& what, const QString& replacement,
                 const FindOptions& options)
{
    editor.setSelectionStart(editor.selectionStart() + editor.selectionLength());
    FindOptions forward = options;
    forward.forward = true;
    if (!findText(editor, what, forward))
        return false;
    editor.replaceSelection(replacement);
    return true;
}

namespace {

// Where the matches of one pass of replace all may lie. A match ending exactly
// at endsBy is followed there by the text of an earlier pass's replacement,
// so whether it ends a word is given, not read.
struct PassBounds
{
    qsizetype from = 0;
    qsizetype startsBefore = 0;
    qsizetype endsBy = 0;
    std::optional<bool> boundaryAtEnd = std::nullopt;
};

// Every match that repeated replaceNext would replace within the bounds,
// found on the unchanged text. Only the character before a match can differ
// from the unchanged text: when the match directly follows the previous one,
// it is the replacement's last character (or, for an empty replacement,
// whatever stood before that previous match).
QList<EditorWidget::Range> passMatches(Matcher& m, const PassBounds& bounds,
                                       const QString& replacement)
{
    const bool replacementEndsWord = replacement.isEmpty() ? false : isBoundary(replacement.back());
    QList<EditorWidget::Range> ranges;
    qsizetype from = bounds.from;
    qsizetype previousEnd = -1;
    bool previousStartedWord = false;
    for (qsizetype p = m.nextCandidate(from); p >= 0; p = m.nextCandidate(from)) {
        if (p >= bounds.startsBefore || p + m.size() > bounds.endsBy)
            break;
        bool startsWord = true;
        if (m.wholeWords()) {
            if (p == previousEnd)
                startsWord = replacement.isEmpty() ? previousStartedWord : replacementEndsWord;
            else
                startsWord = isBoundary(m.charAt(p - 1));
            const bool endsWord = bounds.boundaryAtEnd && p + m.size() == bounds.endsBy
                                      ? *bounds.boundaryAtEnd
                                      : m.endsWord(p);
            if (!startsWord || !endsWord) {
                from = p + 1;
                continue;
            }
        }
        ranges.append({p, p + m.size()});
        previousEnd = p + m.size();
        previousStartedWord = startsWord;
        from = previousEnd;
    }
    return ranges;
}

} // namespace

qsizetype replaceAll(EditorWidget& editor, const QString& what, const QString& replacement,
                     const FindOptions& options)
{
    return replaceAllWrapping(editor, what, replacement, options, {});
}

qsizetype replaceAllWrapping(EditorWidget& editor, const QString& what, const QString& replacement,
                             const FindOptions& options, const std::function<bool()>& goOnFromStart)
{
    const qsizetype start = editor.selectionStart() + editor.selectionLength();
    editor.setSelectionStart(start);
    Matcher m(editor, what, options);
    if (!m.searchable())
        return 0;
    const qsizetype total = editor.length();
    QList<EditorWidget::Range> ranges =
        passMatches(m, {.from = start, .startsBefore = total + 1, .endsBy = total}, replacement);
    if (start == 0 || !goOnFromStart || !goOnFromStart()) {
        editor.replaceRanges(ranges, replacement);
        return ranges.size();
    }

    // Going on from the start stops where the first pass began and never
    // reaches into its first replacement. There the replacement's first
    // character follows; an empty one leaves what followed the run of
    // replacements that starts there.
    PassBounds wrapped{.from = 0, .startsBefore = start, .endsBy = total};
    if (!ranges.isEmpty()) {
        wrapped.endsBy = ranges.front().from;
        if (!replacement.isEmpty()) {
            wrapped.boundaryAtEnd = isBoundary(replacement.front());
        } else {
            qsizetype runEnd = ranges.front().to;
            for (qsizetype i = 1; i < ranges.size() && ranges[i].from == runEnd; ++i)
                runEnd = ranges[i].to;
            wrapped.boundaryAtEnd = isBoundary(m.charAt(runEnd));
        }
    }
    const QList<EditorWidget::Range> before = passMatches(m, wrapped, replacement);
    // Both passes as one undo step; the caret ends where the last
    // replacement of the second pass does, as it would going on by hand.
    const qsizetype count = before.size() + ranges.size();
    editor.replaceRanges(before + ranges, replacement);
    if (!before.isEmpty()) {
        // The text may take the replacement's line breaks as CR LF, so its
        // length there is read from what the edit did to the whole.
        const qsizetype inserted = (editor.length() - total) / count + m.size();
        editor.setSelectionStart(before.back().from + (before.size() - 1) * (inserted - m.size()) +
                                 inserted);
    }
    return count;
}

} // namespace qw
