#pragma once

class QLineEdit;
class QPlainTextEdit;

namespace qw {

// A one-line field that holds an attribute value of any length: a picture's
// "data:" address runs to many thousand characters, and a field that cut it
// would write the cut value back into the document.
void holdWholeValues(QLineEdit* field);

// A memo of a dialog: Tab and Shift+Tab move the focus on to the next field
// and back, as in every other field; Ctrl+Tab puts a tab character into the
// text.
void makeTabMoveFocus(QPlainTextEdit* memo);

} // namespace qw
