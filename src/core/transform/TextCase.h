#pragma once

#include <QString>
#include <QStringView>

namespace qw {

// The letter-case tools. Each works character by character on the text
// outside tags and never changes a character inside one; a tag runs from a
// "<" up to and including the next ">" (or the end of the text). The result
// has the length of the input, so a selection can be restored by offset.
enum class CaseChange {
    Upper,        // "VELKÁ PÍSMENA": the Czech locale's upper case
    Lower,        // "malá písmena": the Czech locale's lower case
    Invert,       // "oTOČIT": through the case-inversion table of the Czech letters
    FirstCapital, // "První Velká": upper case at the start of the text and after a
                  // space, a line feed or a ">", lower case everywhere else
};

QString changeCaseOutsideTags(QStringView text, CaseChange change);

} // namespace qw
