#include "app/elements/DialogOpeners.h"

#include "app/elements/AppletDialog.h"
#include "app/elements/ColorsDialog.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/FontDialog.h"
#include "app/elements/FormControlDialog.h"
#include "app/elements/FormDialog.h"
#include "app/elements/FrameDialogs.h"
#include "app/elements/LineDialog.h"
#include "app/elements/ListDialog.h"
#include "app/elements/PopupWindowDialog.h"
#include "app/elements/ScriptDialog.h"

namespace qw {

namespace {

// The usual insert opener: cleared, insert mode, its caption.
void openCleared(ElementDialogs& dialogs, ElementDialog& dialog, const QString& caption,
                 const std::function<void(ElementDialog&)>& setup = {})
{
    ElementDialogs::Opening opening;
    opening.reset = true;
    opening.caption = caption;
    dialogs.open(dialog, opening, setup);
}

} // namespace

void openFontDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<FontDialog>(), FontDialog::insertCaption(),
                [](ElementDialog& d) { static_cast<FontDialog&>(d).fillFontFaces(); });
}

void openLineDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<LineDialog>(), LineDialog::insertCaption());
}

void openListDialog(ElementDialogs& dialogs)
{
    ElementDialogs::Opening opening;
    opening.caption = ListDialog::caption();
    dialogs.open(dialogs.get<ListDialog>(), opening);
}

void openColorsDialog(ElementDialogs& dialogs)
{
    ColorsDialog& dialog = dialogs.get<ColorsDialog>();
    dialog.prepareToShow();
    dialogs.show(dialog);
}

void openFramesetDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<FramesetDialog>(), FramesetDialog::insertCaption());
}

void openFrameDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<FrameDialog>(), FrameDialog::insertCaption());
}

void openInlineFrameDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<InlineFrameDialog>(), InlineFrameDialog::insertCaption());
}

void openFormDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<FormDialog>(), FormDialog::insertCaption());
}

void openFormControlDialog(ElementDialogs& dialogs, int page)
{
    dialogs.open(dialogs.get<FormControlDialog>(), {},
                 [page](ElementDialog& d) { static_cast<FormControlDialog&>(d).setPage(page); });
}

void openTextAreaDialog(ElementDialogs& dialogs, TextAreaDialog::Page page,
                        const QString& selectedText)
{
    ElementDialogs::Opening opening;
    opening.caption = page == TextAreaDialog::Page::Select ? TextAreaDialog::selectCaption()
                                                           : TextAreaDialog::textAreaCaption();
    dialogs.open(dialogs.get<TextAreaDialog>(), opening, [&](ElementDialog& d) {
        static_cast<TextAreaDialog&>(d).prepareInsert(page, selectedText);
    });
}

void openScriptDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<ScriptDialog>(), ScriptDialog::insertCaption());
}

void openPopupWindowDialog(ElementDialogs& dialogs)
{
    ElementDialogs::Opening opening;
    opening.reset = true;
    dialogs.open(dialogs.get<PopupWindowDialog>(), opening);
}

void openAppletDialog(ElementDialogs& dialogs)
{
    openCleared(dialogs, dialogs.get<AppletDialog>(), AppletDialog::insertCaption());
}

} // namespace qw
