#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// The lines of a multi-line field as the dialogs hand them on: CR LF, LF and
// CR each end a line, an empty text has no lines at all, and a break at the
// very end does not start one more (empty) line. "a\r\n\r\nb" is three lines.
QStringList memoLines(const QString& text);

} // namespace qw
