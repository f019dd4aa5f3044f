#pragma once

#include "core/highlight/ExportLook.h"

#include <QByteArray>
#include <QStringList>

namespace qw {

// The document as an HTML page that shows its source with the colouring.
// The bytes are plain ASCII: every other character is written as a numeric
// character reference, so the page reads the same whatever charset a
// browser assumes.
QByteArray exportHtmlListing(const QStringList& lines, const ExportLook& look);

// The HTML font size (0..7) for a size in points.
int htmlFontSize(int pointSize);

} // namespace qw
