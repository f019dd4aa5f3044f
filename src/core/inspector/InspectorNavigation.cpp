#include "core/inspector/InspectorNavigation.h"

#include <algorithm>

namespace qw {

std::optional<InspectorMove> inspectorMoveForKey(int key, Qt::KeyboardModifiers modifiers,
                                                 bool listOpen)
{
    if (listOpen || (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return std::nullopt;
    switch (key) {
    case Qt::Key_Up:
        return InspectorMove::Previous;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return InspectorMove::Next;
    default:
        return std::nullopt;
    }
}

int inspectorRowAfterMove(int current, int rowCount, InspectorMove move)
{
    const int step = move == InspectorMove::Next ? 1 : -1;
    // Nothing lies above the group row or below "no row".
    return std::clamp(current + step, -1, std::max(rowCount, 0));
}

} // namespace qw
