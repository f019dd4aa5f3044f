#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace qw {

// The two letter tables of the text tools. They are written down as bytes of
// the Central European Windows code page, the program's native text, and
// applied to the Unicode characters those bytes stand for.

// A Czech letter with its diacritic mark taken off (Š to S, ů to u); every
// other character, Ď, ď, Ó and ó included, as it is.
QChar withoutDiacritics(QChar c);
QString removeDiacritics(QStringView text);

// The ASCII letters and the Czech letters that have a partner in the code
// page with the other case swap case; Ů, ů, Ú, ú, Ó, ó and everything else
// stay as they are.
QChar withCaseInverted(QChar c);
void appendCaseInverted(QString& out, QStringView text);

} // namespace qw
