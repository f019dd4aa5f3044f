#pragma once

// The element tree of a page's source text as a browser's parser builds it,
// each node with the source range it came from: implied html, head, body,
// tbody and tr, void elements, end tags a browser implies (</p>, </li>,
// </td> and the like), raw-text elements, comments, a doctype and the text
// between elements. Where the source is so broken that a browser rebuilds
// it (a misnested tag, content a table throws out) this tree and the
// browser's differ; the write-back finds that out by comparing text.

#include "core/design/HtmlTokenizer.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace qw {

struct OutlineNode
{
    QString name; // an element's name in lower case, "#text" or "#comment"
    qsizetype start = 0;
    qsizetype end = 0;
    // Where the children start: after the start tag, or at start for an
    // element the browser implies (tbody, tr) and for head and body.
    qsizetype contentStart = 0;
    bool implied = false;
    // The children were built (elements of the body); head elements are
    // taken whole.
    bool childrenKnown = false;
    int firstChild = -1;
    int nextSibling = -1;
    int lastChild = -1;
    // Text a browser appends to this text node from after </body> or
    // </html>: it lies outside [start, end).
    QString tail;
};

struct HtmlOutline
{
    std::vector<OutlineNode> nodes;
    int head = -1; // the head and body elements, always present
    int body = -1;
    // The <body> start tag; bodyTagEnd == bodyTagStart when the body is
    // implied, bodyTagStart is then where the browser implied it.
    qsizetype bodyTagStart = 0;
    qsizetype bodyTagEnd = 0;
    QList<HtmlAttributeSpan> bodyTagAttributes;
    // Where the first </body> (or </html>) ended the body; -1 without one.
    qsizetype bodyEndTag = -1;
    bool frameset = false;
};

HtmlOutline outlineHtml(QStringView source);

// The words (runs of ASCII letters and digits) of the text that markup holds
// (tags, attributes and comments left out, references decoded), in any
// order: equal for a piece of source and the browser's serialisation of
// what it built from it, since only these characters survive every way of
// writing the same text, and a browser may move text (out of a table, out
// of a misnested tag) but never changes it.
class TextSignature
{
public:
    void addMarkup(QStringView markup);
    quint64 value() const { return m_sum; }

private:
    void addText(QStringView text, HtmlTextKind kind);
    qsizetype addReference(QStringView text, qsizetype amp);
    void add(char16_t c)
    {
        m_word ^= c;
        m_word *= 1099511628211ull;
        m_inWord = true;
    }
    void endWord();

    quint64 m_sum = 0;
    quint64 m_word = 14695981039346656037ull;
    bool m_inWord = false;
};

// True for the elements a browser writes without an end tag.
bool isVoidElement(QStringView name);

} // namespace qw
