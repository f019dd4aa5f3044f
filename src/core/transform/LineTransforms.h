#pragma once

#include <QString>
#include <QStringView>

namespace qw {

// "Odstranit přebytečné řádky": one pass from left to right replaces every
// pair of consecutive line breaks (CR LF CR LF) by one; three breaks in a row
// become two, four become two. Running it again removes more.
QString removeSurplusLines(QStringView text);

// The two tools for a selection. Its lines are split at CR LF, CR or LF; an
// empty text has no lines and a break at the very end does not start another.
// Every output line ends with CR LF.

// "Převést text na tabulku": "<table>", then a row per line ("    <tr><td>" +
// the line as it is + "</td></tr>", or "    <tr><td>&nbsp;</td></tr>" for a
// blank line), then "</table>". Letter case is left as it is.
QString textToTable(QStringView text);

// "Přidat zalomení řádku <BR>": "<br>" appended to every line.
QString addLineBreaks(QStringView text);

} // namespace qw
