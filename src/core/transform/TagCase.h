#pragma once

#include "core/transform/LocaleCase.h"

#include <QString>
#include <QStringView>

namespace qw {

// "Konvertovat tagy na VELKÁ PÍSMENA" / "... malá písmena": the characters of
// every tag go to the given case (Czech locale), attribute values excepted.
// A tag starts at a "<" not directly followed by "!" (so comments and
// declarations stay as written) and ends at the next ">". After an "=" a
// double-quoted value is skipped up to and including its closing quote, an
// unquoted one up to the next space or ">"; a missing end ends the skip at the
// end of the text. The skip after "=" applies outside tags too, so a "<" inside
// such a stretch does not start a tag. Text outside tags is never changed.
QString convertTagCase(QStringView text, LetterCase letterCase);

} // namespace qw
