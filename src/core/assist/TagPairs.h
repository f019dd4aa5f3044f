#pragma once

// Which element is open at the caret, which tag the caret stands in and where
// its partner is. Every function reads only the slice of the document it is
// given: the caller cuts a bounded window around the caret, so a key never
// pays for the whole page, and a partner outside the window is simply not
// found.

#include <QString>
#include <QStringView>

#include <optional>

namespace qw {

// One start or end tag in the window. Offsets index the window's text.
struct TagSpan
{
    qsizetype start = 0;     // its "<"
    qsizetype end = 0;       // after its ">" (or the window's end)
    qsizetype nameStart = 0; // the name as written
    qsizetype nameEnd = 0;
    bool endTag = false;
    QString name; // ASCII lower case

    friend bool operator==(const TagSpan&, const TagSpan&) = default;
};

struct TagPair
{
    TagSpan at;      // the tag the caret stands in
    TagSpan partner; // its end tag, or its start tag for an end tag
};

// The innermost element open before `pos` (lower case), scanning the text
// before it with the browser's tokenizer: void and self-closed elements are
// never open, comments and the contents of scripts and styles hold no tags,
// an end tag closes the nearest open element of its name and everything
// opened inside it; a stray end tag is ignored. Empty when nothing is open.
QString openElementBefore(QStringView text, qsizetype pos);

// The start or end tag the caret is in: after its "<" and not after its ">".
// Nothing inside comments, scripts or declarations.
std::optional<TagSpan> tagAtCaret(QStringView text, qsizetype caret);

// The tag the caret is in with its partner: the matching end tag of a start
// tag (counting nested elements of the same name) or the start tag of an end
// tag. Nothing for a void or self-closed element, or when the partner is not
// in the window (an unbalanced page, or one larger than the window).
std::optional<TagPair> partnerTagAt(QStringView text, qsizetype caret);

// The elements that never have an end tag.
bool isVoidTagName(QStringView name);

} // namespace qw
