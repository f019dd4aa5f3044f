#pragma once

#include <Qt>

#include <optional>

namespace qw {

enum class InspectorMove { Previous, Next };

// The move a key pressed in a value editor asks for: Up the previous row,
// Enter and Down the next, only with no Shift, Ctrl or Alt held, and in a
// drop-down list only while its list is closed (there the keys pick entries).
std::optional<InspectorMove> inspectorMoveForKey(int key, Qt::KeyboardModifiers modifiers,
                                                 bool listOpen);

// Rows of the grid by position: -1 is the group row, 0 .. rowCount - 1 the
// attribute rows and rowCount stands for no row at all. Up from the first
// attribute row reaches the group row; Down from the last leaves none.
int inspectorRowAfterMove(int current, int rowCount, InspectorMove move);

} // namespace qw
