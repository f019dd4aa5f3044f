#pragma once

class QLabel;
class QString;

namespace qw {

// Puts text into a status bar panel and, when it changed, tells an active
// screen reader that the panel's name (its text) changed, so the caret's
// position is read as it moves. A panel keeps no accessible name of its own.
void showPanelText(QLabel* panel, const QString& text);

} // namespace qw
