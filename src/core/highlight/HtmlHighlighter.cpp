#include "core/highlight/HtmlHighlighter.h"

#include "core/highlight/HtmlElements.h"

namespace qw {

namespace {

bool isReferenceChar(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'#' || c == u'&' || c == u'_';
}

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// Position of the first "</SCRIPT>" (any letter case) at or after `from`, or -1.
qsizetype findScriptEnd(const char16_t* s, qsizetype n, qsizetype from)
{
    static constexpr char16_t kEnd[] = u"</SCRIPT>";
    constexpr qsizetype kLength = 9;
    for (qsizetype i = from; i + kLength <= n; ++i) {
        if (s[i] != u'<')
            continue;
        qsizetype k = 1;
        while (k < kLength && asciiUpper(s[i + k]) == kEnd[k])
            ++k;
        if (k == kLength)
            return i;
    }
    return -1;
}

qsizetype findChar(const char16_t* s, qsizetype n, qsizetype from, char16_t c)
{
    for (qsizetype i = from; i < n; ++i) {
        if (s[i] == c)
            return i;
    }
    return -1;
}

// Position of the pair "first second" at or after `from`, or -1.
qsizetype findPair(const char16_t* s, qsizetype n, qsizetype from, char16_t first, char16_t second)
{
    for (qsizetype i = from; i + 1 < n; ++i) {
        if (s[i] == first && s[i + 1] == second)
            return i;
    }
    return -1;
}

qsizetype findCommentEnd(const char16_t* s, qsizetype n, qsizetype from)
{
    for (qsizetype i = from; i + 2 < n; ++i) {
        if (s[i] == u'-' && s[i + 1] == u'-' && s[i + 2] == u'>')
            return i;
    }
    return -1;
}

class LineColourer
{
public:
    LineColourer(QStringView line, HighlightRuns& out)
        : m_s(line.utf16()), m_n(line.size()), m_out(out)
    {
        m_out.clear();
    }

    LineState run(LineState state)
    {
        qsizetype i = 0;
        qsizetype commentStart = 0; // a comment's run starts before its search point
        for (;;) {
            switch (state) {
            case LineState::Text:
                while (i < m_n && m_s[i] != u'&' && m_s[i] != u'<')
                    ++i;
                if (i >= m_n)
                    return LineState::Text;
                if (m_s[i] == u'&') {
                    qsizetype j = i + 1;
                    while (j < m_n && isReferenceChar(m_s[j]))
                        ++j;
                    if (j < m_n && m_s[j] == u';')
                        ++j;
                    add(i, j, StyleClass::SpecialChars);
                    i = j;
                } else if (i + 3 < m_n && m_s[i + 1] == u'!' && m_s[i + 2] == u'-' &&
                           m_s[i + 3] == u'-') {
                    // The closing "-->" is looked for from inside the opening
                    // "<!--", so "<!-->" is a complete comment.
                    commentStart = i;
                    i += 1;
                    state = LineState::Comment;
                } else {
                    add(i, i + 1, StyleClass::Bracket);
                    state = afterTagOpen(i);
                }
                break;
            case LineState::AttrTag:
            case LineState::ScriptAttrTag:
                if (!attributeTag(i))
                    return state;
                state =
                    state == LineState::ScriptAttrTag ? LineState::ScriptBlock : LineState::Text;
                break;
            case LineState::PlainTag: {
                const qsizetype close = findChar(m_s, m_n, i, u'>');
                if (close < 0) {
                    add(i, m_n, StyleClass::UnknownTag);
                    return state;
                }
                add(i, close, StyleClass::UnknownTag);
                add(close, close + 1, StyleClass::Bracket);
                i = close + 1;
                state = LineState::Text;
                break;
            }
            case LineState::Comment: {
                const qsizetype end = findCommentEnd(m_s, m_n, i);
                if (end < 0) {
                    add(commentStart, m_n, StyleClass::HtmlComment);
                    return state;
                }
                add(commentStart, end + 3, StyleClass::HtmlComment);
                i = end + 3;
                state = LineState::Text;
                break;
            }
            case LineState::ScriptBlock: {
                const qsizetype end = findScriptEnd(m_s, m_n, i);
                if (end < 0) {
                    add(i, m_n, StyleClass::ScriptContent);
                    return state;
                }
                add(i, end, StyleClass::ScriptContent);
                add(end, end + 9, StyleClass::Bracket);
                i = end + 9;
                state = LineState::Text;
                break;
            }
            case LineState::ServerScriptPercent:
            case LineState::ServerScriptQuestion: {
                const char16_t mark = state == LineState::ServerScriptPercent ? u'%' : u'?';
                const qsizetype end = findPair(m_s, m_n, i, mark, u'>');
                if (end < 0) {
                    add(i, m_n, StyleClass::ScriptContent);
                    return state;
                }
                add(i, end + 1, StyleClass::ScriptContent);
                add(end + 1, end + 2, StyleClass::Bracket);
                i = end + 2;
                state = LineState::Text;
                break;
            }
            }
        }
    }

private:
    // The "<" at `lt` is coloured; reads what follows it. Leaves `lt` on the
    // first character not yet coloured and returns the new state.
    LineState afterTagOpen(qsizetype& lt)
    {
        const qsizetype p = lt + 1;
        lt = p;
        if (p < m_n && m_s[p] == u'%')
            return LineState::ServerScriptPercent;
        if (p < m_n && m_s[p] == u'?')
            return LineState::ServerScriptQuestion;

        // A tab does not end the name, so "<TD\talign=..." is no known tag.
        qsizetype end = p;
        while (end < m_n && m_s[end] != u' ' && m_s[end] != u'>')
            ++end;
        const bool endTag = end > p && m_s[p] == u'/';
        const qsizetype nameStart = endTag ? p + 1 : p;
        const QStringView name(m_s + nameStart, end - nameStart);
        const HtmlElement* element = findHtmlElement(name);
        if (!element && isCustomElementName(name))
            element = customHtmlElement();
        if (!element || (endTag && !element->hasEndTag))
            return LineState::PlainTag; // the name starts the unknown tag's run
        add(p, end, StyleClass::HtmlKeyword);
        lt = end;
        if (endTag || !element->takesAttributes)
            return LineState::PlainTag;
        // SCRIPT is the table's first entry.
        return element == htmlElements().data() ? LineState::ScriptAttrTag : LineState::AttrTag;
    }

    // Colours a start tag with attributes from `i`; returns true when its ">"
    // was found (and leaves `i` after it), false when the tag goes on past the line.
    bool attributeTag(qsizetype& i)
    {
        qsizetype segment = i; // first character not yet in a run
        for (qsizetype j = i; j < m_n; ++j) {
            const char16_t c = m_s[j];
            if (c == u'>') {
                add(segment, j, StyleClass::HtmlTag);
                add(j, j + 1, StyleClass::Bracket);
                i = j + 1;
                return true;
            }
            if (c != u'=')
                continue;
            // The name starts after the last space before the "=", not counting
            // spaces right before it; never before what is already coloured.
            qsizetype nameStart = j;
            while (nameStart > segment && m_s[nameStart - 1] == u' ')
                --nameStart;
            while (nameStart > segment && m_s[nameStart - 1] != u' ')
                --nameStart;
            add(segment, nameStart, StyleClass::HtmlTag);
            add(nameStart, j + 1, StyleClass::HtmlAttribute);

            qsizetype v = j + 1;
            while (v < m_n && m_s[v] == u' ')
                ++v;
            if (v < m_n && (m_s[v] == u'"' || m_s[v] == u'\'')) {
                const qsizetype close = findChar(m_s, m_n, v + 1, m_s[v]);
                v = close < 0 ? m_n : close + 1; // a ">" inside the quotes is part of the value
            } else {
                while (v < m_n && m_s[v] != u' ' && m_s[v] != u'>')
                    ++v;
            }
            add(j + 1, v, StyleClass::HtmlAttributeValue);
            segment = v;
            j = v - 1;
        }
        add(segment, m_n, StyleClass::HtmlTag);
        return false;
    }

    void add(qsizetype from, qsizetype to, StyleClass style)
    {
        if (to > from)
            m_out.push_back({from, to - from, style});
    }

    const char16_t* m_s;
    qsizetype m_n;
    HighlightRuns& m_out;
};

} // namespace

LineState highlightLine(QStringView line, LineState in, HighlightRuns& out)
{
    return LineColourer(line, out).run(in);
}

HighlightRuns highlightText(QStringView text)
{
    HighlightRuns all;
    HighlightRuns lineRuns;
    LineState state = LineState::Text;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (;;) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        state = highlightLine(text.sliced(start, end - start), state, lineRuns);
        for (HighlightRun r : lineRuns) {
            r.start += start;
            all.push_back(r);
        }
        if (end >= n)
            break;
        start = end + (text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n' ? 2 : 1);
    }
    return all;
}

} // namespace qw
