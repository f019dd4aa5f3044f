#pragma once

// The link between a place in a page's source and the element a browser
// built from it, without any marker in the text: an element is named by the
// path of child element indexes from <body> (text and comments do not
// count, as in the DOM's `children`), read from the page's outline, which
// implies html, head, body, tbody and tr and closes elements as a browser
// does.

#include "core/design/HtmlOutline.h"

#include <QList>

namespace qw {

// The innermost element of the body whose source (start tag through end
// tag, or through where a browser ends it) holds offset. Empty for the body
// itself, and for an offset outside the body (the head, before a doctype).
QList<int> elementPathAt(const HtmlOutline& outline, qsizetype offset);

// Where the start tag of the element at path begins in the source; for an
// element the browser implies (tbody, tr without a tag), where it was
// implied. -1 when the body has no element at path. The empty path is the
// body's own start tag (or where the body was implied).
qsizetype elementStartAt(const HtmlOutline& outline, const QList<int>& path);

} // namespace qw
