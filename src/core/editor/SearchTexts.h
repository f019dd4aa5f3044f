#pragma once

#include <QString>

namespace qw {

// The messages of find and replace, shown in information boxes.

// Hledané slovo "X" nebylo nalezeno! — the search text between double quotes.
QString notFoundMessage(const QString& what);

// Počet nahrazení : N. — shown after every replace all, 0 included, so a
// replace that changed nothing never looks like one that did.
QString replaceCountMessage(qsizetype count);

// Asked by replace all begun after the start of the text: whether to go on
// from the beginning once the end is reached.
QString goOnFromStartQuestion();

} // namespace qw
