#pragma once

// What the window's commands do on the design page: the markup commands'
// design actions and the edit commands, each guarded by the command's
// state as the design document reports it.

#include "app/design/DesignDocument.h"
#include "core/commands/MarkupCommandTable.h"

namespace qw {

// Formatting (bold, italic, the alignments) runs when the command is enabled
// or latched, which switches the format on or off; a fixed fragment is
// pasted over the selection unless an object is selected; the table, row
// and cell buttons run when enabled.
void runDesignAction(DesignDocument& document, DesignAction action, QStringView startText);

// Cut, copy, paste, undo, redo and select all run when enabled.
void runDesignEditCommand(DesignDocument& document, DesignCommand command);

} // namespace qw
