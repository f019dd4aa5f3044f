#include "app/elements/DesignOpeners.h"

#include "app/design/DesignDocument.h"
#include "app/elements/BodyDialog.h"
#include "app/elements/DialogOpeners.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/FontDialog.h"
#include "app/elements/FrameDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/elements/LineDialog.h"
#include "app/elements/LinkDialog.h"
#include "app/elements/ListDialog.h"
#include "app/elements/TableDialogs.h"

namespace qw {

namespace {

using Opening = ElementDialogs::Opening;

// The dialog shows the element alone: every field is cleared, then each
// field bound to one of the element's attributes takes its value. What the
// fields then hold is what OK leaves alone.
void fillFromElement(ElementDialog& dialog, const DesignElement& element)
{
    dialog.resetDialogFields();
    TagAttributeList list;
    for (const auto& [name, value] : element.attributes)
        list.setTagAttribute(name, value);
    dialog.fillDialogFromAttributes(list);
    dialog.keepFilledValues();
}

// Opens dialog in edit mode with caption, filled from the selected element.
void openForElement(ElementDialogs& dialogs, ElementDialog& dialog, const QString& caption,
                    const DesignElement& element)
{
    Opening opening;
    opening.mode = ElementMode::Edit;
    opening.caption = caption;
    dialogs.open(dialog, opening, [&element](ElementDialog& d) { fillFromElement(d, element); });
}

} // namespace

void openDesignProperties(ElementDialogs& dialogs, DesignDocument& document,
                          DesignProperty property)
{
    if (property == DesignProperty::Document) {
        const std::optional<DesignElement> body = document.bodyElement();
        BodyDialog& dialog = dialogs.get<BodyDialog>();
        // Mode and caption stay as the dialog last had them.
        fillFromElement(dialog, body.value_or(DesignElement{}));
        dialog.prepareToShow();
        dialogs.show(dialog);
        return;
    }
    if (property == DesignProperty::Font) {
        Opening opening;
        opening.mode = ElementMode::Edit;
        opening.reset = true;
        opening.caption = QStringLiteral("Upravit font");
        dialogs.open(dialogs.get<FontDialog>(), opening, [&document](ElementDialog& d) {
            static_cast<FontDialog&>(d).fillFontFaces();
            const auto get = [&document](DesignCommand command) {
                return document.runCommand(command, kDesignDefault).toString();
            };
            d.setFieldText(u"cmbFontFace", get(DesignCommand::GetFontName));
            d.setFieldText(u"cmbSize", get(DesignCommand::GetFontSize));
            d.setFieldText(u"cmbColor", get(DesignCommand::GetForeColor));
        });
        return;
    }
    const std::optional<DesignElement> element = document.selectedElement();
    if (!element)
        return;
    switch (property) {
    case DesignProperty::Table:
        openForElement(dialogs, dialogs.get<TableDialog>(), QStringLiteral("Upravit tabulku"),
                       *element);
        break;
    case DesignProperty::Cell:
        openForElement(dialogs, dialogs.get<CellDialog>(), QStringLiteral("Upravit buňku"),
                       *element);
        break;
    case DesignProperty::Rule:
        openForElement(dialogs, dialogs.get<LineDialog>(),
                       QStringLiteral("Upravit vodorovnou čáru"), *element);
        break;
    case DesignProperty::Image:
        openForElement(dialogs, dialogs.get<ImageDialog>(), QStringLiteral("Upravit obrázek"),
                       *element);
        break;
    case DesignProperty::InlineFrame:
        openForElement(dialogs, dialogs.get<InlineFrameDialog>(), QStringLiteral("Upravit i. rám"),
                       *element);
        break;
    case DesignProperty::Link: {
        Opening opening;
        opening.mode = ElementMode::Edit;
        opening.caption = QStringLiteral("Upravit odkaz");
        const QString text = document.activeElementText();
        dialogs.open(dialogs.get<LinkDialog>(), opening, [&](ElementDialog& d) {
            fillFromElement(d, *element);
            static_cast<LinkDialog&>(d).prepareDesign(text);
        });
        break;
    }
    case DesignProperty::Document:
    case DesignProperty::Font:
        break;
    }
}

void openDesignImageDialog(ElementDialogs& dialogs, DesignDocument& document)
{
    if (document.commandStatus(DesignCommand::Image) != DesignStatus::Enabled)
        return;
    Opening opening;
    opening.caption = QStringLiteral("Vložit obrázek");
    dialogs.open(dialogs.get<ImageDialog>(), opening);
}

void openDesignLinkDialog(ElementDialogs& dialogs, DesignDocument& document)
{
    if (document.commandStatus(DesignCommand::Hyperlink) != DesignStatus::Enabled)
        return;
    Opening opening;
    opening.caption = QStringLiteral("Vložit odkaz");
    // A selection (text or an object) becomes the link's content; at a bare
    // caret the user types the text the link shows.
    const bool aroundSelection =
        document.selectionType().compare(u"None", Qt::CaseInsensitive) != 0;
    dialogs.open(dialogs.get<LinkDialog>(), opening, [aroundSelection](ElementDialog& d) {
        static_cast<LinkDialog&>(d).prepareDesignInsert(aroundSelection);
    });
}

void openDesignListDialog(ElementDialogs& dialogs, DesignDocument& document)
{
    if (document.commandStatus(DesignCommand::UnorderList) == DesignStatus::NotSupported)
        return;
    openListDialog(dialogs);
}

} // namespace qw
