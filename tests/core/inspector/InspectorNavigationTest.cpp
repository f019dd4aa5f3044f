#include "core/inspector/InspectorNavigation.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(InspectorNavigation, KeysThatMove)
{
    const struct
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool listOpen;
        std::optional<InspectorMove> move;
    } cases[] = {
        {Qt::Key_Up, Qt::NoModifier, false, InspectorMove::Previous},
        {Qt::Key_Down, Qt::NoModifier, false, InspectorMove::Next},
        {Qt::Key_Return, Qt::NoModifier, false, InspectorMove::Next},
        {Qt::Key_Enter, Qt::KeypadModifier, false, InspectorMove::Next},
        {Qt::Key_Down, Qt::ShiftModifier, false, std::nullopt},
        {Qt::Key_Up, Qt::ControlModifier, false, std::nullopt},
        {Qt::Key_Return, Qt::AltModifier, false, std::nullopt},
        {Qt::Key_Down, Qt::NoModifier, true, std::nullopt},
        {Qt::Key_Tab, Qt::NoModifier, false, std::nullopt},
        {Qt::Key_A, Qt::NoModifier, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inspectorMoveForKey(c.key, c.modifiers, c.listOpen), c.move) << c.key;
}

TEST(InspectorNavigation, MovesStopAtTheGroupRowAndPastTheLastRow)
{
    const struct
    {
        int current;
        int rowCount;
        InspectorMove move;
        int expected;
    } cases[] = {
        {0, 3, InspectorMove::Previous, -1}, {-1, 3, InspectorMove::Previous, -1},
        {1, 3, InspectorMove::Previous, 0},  {1, 3, InspectorMove::Next, 2},
        {2, 3, InspectorMove::Next, 3},      {3, 3, InspectorMove::Next, 3},
        {-1, 3, InspectorMove::Next, 0},     {-1, 0, InspectorMove::Next, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inspectorRowAfterMove(c.current, c.rowCount, c.move), c.expected)
            << c.current << " of " << c.rowCount;
}

} // namespace
} // namespace qw
