#pragma once

#include <QString>

namespace qw {

// The stored filter text "name|mask|name|mask|" in the form of the desktop's
// file dialogs: "name (*.a *.b);;name (*)". "*.*" becomes "*", which on Linux
// also lists names without a point. No filter at all lists every file.
QString qtDialogFilter(const QString& filterText);

} // namespace qw
