#pragma once

#include <QString>

namespace qw {

// The messages of find and replace, shown in information boxes.

// Hledané slovo "X" nebylo nalezeno! — the search text between double quotes.
QString notFoundMessage(const QString& what);

// Počet nahrazení : N. — shown after replace all, only when N > 0.
QString replaceCountMessage(qsizetype count);

} // namespace qw
