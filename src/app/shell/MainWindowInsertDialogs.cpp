// The commands that open the font, rule, list, colour, frame, form, script,
// pop-up window and applet dialogs to insert. Each ends the inspector's
// in-place edit first (the form element commands named so keep it when run
// from a menu) and acts on the source page, the rule, font and list dialogs
// also on the design page when its document allows; the menu entry
// "IFrame..." opens its dialog on any page, and on the preview page its OK
// writes nothing.
#include "app/design/DesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/ElementDialogs.h"
#include "app/pages/PageSwitcher.h"
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
        // Whether the dialog opens on the design page; none: it does not.
        bool (*onDesign)(const DesignDocument&) = nullptr;
    };
    const Opener openers[] = {
        {"tag.rule", openLineDialog,
         [](const DesignDocument&) {
             return true;
         }},
        {"tag.color", openColorsDialog},
        {"tag.font", openFontDialog,
         [](const DesignDocument& d) {
             return d.commandStatus(DesignCommand::SetFontName) == DesignStatus::Enabled;
         }},
        {"tag.list", openListDialog,
         [](const DesignDocument& d) {
             return d.commandStatus(DesignCommand::UnorderList) != DesignStatus::NotSupported;
         }},
        {"tag.frames", openFramesetDialog},
        {"tag.frame", openFrameDialog},
        {"tag.form", openFormDialog},
        {"tag.script", openScriptDialog},
        {"tag.openWindow", openPopupWindowDialog},
        {"tag.applet", openAppletDialog},
    };
    for (const Opener& opener : openers) {
        m_registry->registerAction(
            QString::fromLatin1(opener.id),
            [this, open = opener.open, onDesign = opener.onDesign](ActionPlace) {
                const DesignDocument* design = m_pages->designTarget();
                if (sourceEditor() == nullptr &&
                    (design == nullptr || onDesign == nullptr || !onDesign(*design)))
                    return;
                clearTagInspector();
                open(*m_elements);
            });
    }

    m_registry->registerAction(QStringLiteral("tag.iframe"), [this](ActionPlace place) {
        // The button acts on the source page, and on the design page unless
        // a whole object is selected there.
        const DesignDocument* design = m_pages->designTarget();
        if (place == ActionPlace::ToolBar && sourceEditor() == nullptr &&
            (design == nullptr ||
             design->selectionType().compare(u"Control", Qt::CaseInsensitive) == 0))
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
        m_registry->registerAction(formActionId(row.id), [this, &row](ActionPlace place) {
            if (sourceEditor() != nullptr) {
                if (!row.menuKeepsInspectorEdit || place == ActionPlace::ToolBar)
                    clearTagInspector();
                openFormControlDialog(*m_elements, row.dialogPage);
            } else if (DesignDocument* d = m_pages->designTarget()) {
                // The design page takes the control as a fixed fragment;
                // the document refuses it over a selected object.
                d->pasteHtml(row.designFragment.toString());
            }
        });
    }
}

} // namespace qw
