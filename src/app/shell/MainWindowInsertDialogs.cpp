// The commands that open the font, rule, list, colour, frame, form, script,
// pop-up window and applet dialogs to insert. Each ends the inspector's
// in-place edit first (the form element commands named so keep it when run
// from a menu) and acts on the source page; the menu entry "IFrame..." opens
// its dialog on any page, and off the source page its OK writes nothing.
#include "app/editor/ScintillaEditor.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/ElementDialogs.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/MainWindow.h"
#include "core/commands/FormElementCommands.h"

namespace qw {

void MainWindow::registerInsertDialogCommands()
{
    struct Opener
    {
        const char* id;
        void (*open)(ElementDialogs&);
    };
    const Opener openers[] = {
        {"tag.rule", openLineDialog},
        {"tag.color", openColorsDialog},
        {"tag.font", openFontDialog},
        {"tag.list", openListDialog},
        {"tag.frames", openFramesetDialog},
        {"tag.frame", openFrameDialog},
        {"tag.form", openFormDialog},
        {"tag.script", openScriptDialog},
        {"tag.openWindow", openPopupWindowDialog},
        {"tag.applet", openAppletDialog},
    };
    for (const Opener& opener : openers) {
        registerEditorAction(QString::fromLatin1(opener.id),
                             [this, open = opener.open](ScintillaEditor&, ActionPlace) {
                                 clearTagInspector();
                                 open(*m_elements);
                             });
    }

    m_registry->registerAction(QStringLiteral("tag.iframe"), [this](ActionPlace place) {
        if (place == ActionPlace::ToolBar && sourceEditor() == nullptr)
            return;
        clearTagInspector();
        openInlineFrameDialog(*m_elements);
    });

    const std::pair<const char*, TextAreaDialog::Page> textAreas[] = {
        {"tag.textArea", TextAreaDialog::Page::TextArea},
        {"tag.select", TextAreaDialog::Page::Select},
    };
    for (const auto& [id, page] : textAreas) {
        registerEditorAction(QString::fromLatin1(id),
                             [this, page](ScintillaEditor& e, ActionPlace) {
                                 clearTagInspector();
                                 openTextAreaDialog(*m_elements, page, e.selectedText());
                             });
    }

    for (const FormElementCommand& row : formElementCommands()) {
        registerEditorAction(formActionId(row.id),
                             [this, &row](ScintillaEditor&, ActionPlace place) {
                                 if (!row.menuKeepsInspectorEdit || place == ActionPlace::ToolBar)
                                     clearTagInspector();
                                 openFormControlDialog(*m_elements, row.dialogPage);
                             });
    }
}

} // namespace qw
