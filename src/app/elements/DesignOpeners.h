#pragma once

#include "app/design/DesignProperty.h"

namespace qw {

class DesignDocument;
class ElementDialogs;

// The design page's property commands: each opens its element dialog in
// edit mode with its caption, its fields cleared and filled as the command
// asks and then taken from the design document (the selected element, the
// body, or the selection's font). The dialog's OK writes back into the
// document.
void openDesignProperties(ElementDialogs& dialogs, DesignDocument& document,
                          DesignProperty property);

// The design page's insert openers of the image, link and list dialogs:
// each opens only when the document reports its command as available. The
// link goes around the selection, or at a bare caret shows the text the user
// types for it.
void openDesignImageDialog(ElementDialogs& dialogs, DesignDocument& document);
void openDesignLinkDialog(ElementDialogs& dialogs, DesignDocument& document);
void openDesignListDialog(ElementDialogs& dialogs, DesignDocument& document);

} // namespace qw
