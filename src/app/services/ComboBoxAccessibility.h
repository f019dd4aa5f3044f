#pragma once

namespace qw {

// On Linux Qt names a combo box on the accessibility bus by its current text,
// so a screen reader announces "x.html" instead of the field's label. Once
// installed, every combo box is announced by its accessible name, else by the
// label it is the buddy of, and only without either by its text; its text
// stays its value. Safe to call any number of times.
void installComboBoxAccessibility();

} // namespace qw
