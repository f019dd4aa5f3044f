#pragma once

#include <QString>
#include <QStringList>

namespace qw {

// The Czech text of one of the markup library's messages, by its message
// code, with %1, %2... standing for the message's arguments in the order the
// library gives them; a null string for a code without a Czech text.
QString czechMarkupText(unsigned code);

// The text a message of the library is shown with: the Czech text of code
// with args filled in, or english (the library's own text) for a code
// without one; czech tells which.
QString markupMessageText(unsigned code, const QStringList& args, const QString& english,
                          bool* czech = nullptr);

} // namespace qw
