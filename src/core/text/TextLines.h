#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qw {

// The lines of a text, as a string list loads it: CR LF, CR and LF each end a
// line, an empty text has no lines, and a break at the very end starts no
// further (empty) line. "a\r\n\r\nb" is three lines.
QStringList splitTextLines(QStringView text);

// The text with every line break (CR LF, CR alone, LF alone) written as CR LF,
// the break the editors hold.
QString withCrLfBreaks(QStringView text);

} // namespace qw
