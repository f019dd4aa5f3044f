#pragma once

namespace qw {

// On Linux Qt names a combo box on the accessibility bus by its current text,
// so a screen reader announces "x.html" instead of the field's label. Once
// installed, every combo box that carries an accessible name (its label's
// text) is announced by that name and keeps its text as its value. Safe to
// call any number of times; combo boxes without a name keep Qt's own
// interface.
void installComboBoxAccessibility();

} // namespace qw
