#pragma once

#include "app/elements/TextAreaDialog.h"

namespace qw {

class ElementDialogs;

// How the menu and tool bar commands open the font, rule, list, colour,
// frame, form, script, pop-up window and applet dialogs to insert: what each
// clears, its mode and caption, and the set-up it needs. The window decides
// on which page a command acts; these only open.

void openFontDialog(ElementDialogs& dialogs);
void openLineDialog(ElementDialogs& dialogs);
// The list dialog keeps its style, type and lines: it is not cleared.
void openListDialog(ElementDialogs& dialogs);
void openColorsDialog(ElementDialogs& dialogs);
void openFramesetDialog(ElementDialogs& dialogs);
void openFrameDialog(ElementDialogs& dialogs);
void openInlineFrameDialog(ElementDialogs& dialogs);
void openFormDialog(ElementDialogs& dialogs);
// The form element commands: the dialog on the command's page (0 checkbox
// ... 9 image), with the caption it last showed. It cleared itself when it
// last closed.
void openFormControlDialog(ElementDialogs& dialogs, int page);
// "TextArea" and "Select": the editor's selected text goes into the text
// field, the one page is shown.
void openTextAreaDialog(ElementDialogs& dialogs, TextAreaDialog::Page page,
                        const QString& selectedText);
void openScriptDialog(ElementDialogs& dialogs);
// Empties the four fields and unchecks the boxes; the caption stays.
void openPopupWindowDialog(ElementDialogs& dialogs);
void openAppletDialog(ElementDialogs& dialogs);

} // namespace qw
