#pragma once

#include <QStringView>

namespace qw {

// How much of a document's start isHtml5Document needs at most: a doctype
// behind a longer run of comments is not looked for.
inline constexpr qsizetype kDoctypeSearchLength = 4096;

// Whether the page is HTML5 by its doctype: the first thing in it, after
// blanks, a byte-order mark and comments, is <!DOCTYPE html> (any letter
// case, optionally with the legacy-compat system identifier). A doctype
// with a public identifier (HTML 4, XHTML) or none at all is not HTML5.
bool isHtml5Document(QStringView text);

} // namespace qw
