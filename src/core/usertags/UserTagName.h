#pragma once

#include <QString>

namespace qw {

// Why a name cannot name a user tag or a group folder, as a Czech sentence
// for the user; empty when the name is fine. Refused: an empty name, "." and
// "..", a name holding "/" or a NUL character, a name starting with a dot
// (the file would be hidden and the store would never list it again) and a
// name too long for a file name. The store checks every name before it
// writes anything, so no path outside the user tag folder is ever touched.
enum class UserTagNameKind { Tag, Group };

QString userTagNameProblem(const QString& name, UserTagNameKind kind);

} // namespace qw
