#pragma once

#include <QString>

#include <optional>

namespace qw {

// The go-to-line input box: its title, its prompt and how its answer is read.

QString gotoLineTitle();

// "Jdi na řádek 1-" followed by the document's line count plus one.
QString gotoLinePrompt(int lineCount);

// Shown when the answer is not an integer.
QString gotoLineNotIntegerMessage();

// The display line (from 0) for the number the user typed: a decimal integer,
// optionally signed, blanks around it allowed. Anything else gives nullopt,
// for which the caller shows gotoLineNotIntegerMessage() and does nothing.
// Lines count from 1, so 0 and negative numbers go to the first line; a
// number too large for the editor goes to the last line, as gotoLine() takes
// any index past the end.
std::optional<int> gotoLineIndex(const QString& input);

} // namespace qw
