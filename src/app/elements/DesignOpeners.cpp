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

// Each named attribute of the element goes into the fields bound to it; an
// attribute the element lacks empties them ("Žádná" for a colour).
void takeAttributes(ElementDialog& dialog, const DesignElement& element,
                    std::initializer_list<const char*> attributes)
{
    for (const char* name : attributes) {
        const QString attribute = QString::fromLatin1(name);
        const QString value = element.attribute(attribute).value_or(QString());
        for (const FieldDef& def : dialog.fieldDefs()) {
            if (def.attribute.compare(attribute, Qt::CaseInsensitive) == 0)
                dialog.setFieldText(def.name, value);
        }
    }
}

// Opens dialog in edit mode with caption: reset when asked, then filled
// from the window's attribute list, then from the selected element.
void openForElement(ElementDialogs& dialogs, ElementDialog& dialog, const QString& caption,
                    bool reset, const DesignElement& element,
                    std::initializer_list<const char*> attributes)
{
    Opening opening;
    opening.mode = ElementMode::Edit;
    opening.reset = reset;
    opening.caption = caption;
    dialogs.open(dialog, opening, [&](ElementDialog& d) {
        d.fillDialogFromAttributes(*dialogs.context().attributes);
        takeAttributes(d, element, attributes);
    });
}

} // namespace

void openDesignProperties(ElementDialogs& dialogs, DesignDocument& document,
                          DesignProperty property)
{
    if (property == DesignProperty::Document) {
        const std::optional<DesignElement> body = document.bodyElement();
        BodyDialog& dialog = dialogs.get<BodyDialog>();
        // Mode and caption stay as the dialog last had them.
        dialog.resetDialogFields();
        if (body) {
            takeAttributes(dialog, *body,
                           {"bgcolor", "text", "link", "alink", "vlink", "background", "leftmargin",
                            "topmargin"});
        }
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
        openForElement(dialogs, dialogs.get<TableDialog>(), QStringLiteral("Upravit tabulku"), true,
                       *element,
                       {"width", "border", "align", "cellpadding", "cellspacing", "background",
                        "bgcolor", "bordercolor", "bordercolorlight", "bordercolordark", "valign"});
        break;
    case DesignProperty::Cell:
        openForElement(dialogs, dialogs.get<CellDialog>(), QStringLiteral("Upravit buňku"), true,
                       *element,
                       {"width", "height", "align", "rowspan", "colspan", "background", "bgcolor",
                        "bordercolor", "bordercolorlight", "bordercolordark"});
        break;
    case DesignProperty::Rule:
        openForElement(dialogs, dialogs.get<LineDialog>(),
                       QStringLiteral("Upravit vodorovnou čáru"), true, *element,
                       {"align", "size", "width", "color"});
        break;
    case DesignProperty::Image:
        openForElement(
            dialogs, dialogs.get<ImageDialog>(), QStringLiteral("Upravit obrázek"), false, *element,
            {"src", "alt", "width", "height", "border", "align", "dynsrc", "loop", "start"});
        break;
    case DesignProperty::InlineFrame:
        openForElement(dialogs, dialogs.get<InlineFrameDialog>(), QStringLiteral("Upravit i. rám"),
                       true, *element,
                       {"src", "name", "width", "height", "scrolling", "align", "marginheight",
                        "marginwidth"});
        break;
    case DesignProperty::Link: {
        Opening opening;
        opening.mode = ElementMode::Edit;
        opening.reset = true;
        opening.caption = QStringLiteral("Upravit odkaz");
        const QString text = document.activeElementText();
        dialogs.open(dialogs.get<LinkDialog>(), opening, [&](ElementDialog& d) {
            static_cast<LinkDialog&>(d).prepareDesign(text);
            takeAttributes(d, *element, {"href", "target", "title"});
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
    const QString text = document.activeElementText();
    dialogs.open(dialogs.get<LinkDialog>(), opening,
                 [&text](ElementDialog& d) { static_cast<LinkDialog&>(d).prepareDesign(text); });
}

void openDesignListDialog(ElementDialogs& dialogs, DesignDocument& document)
{
    if (document.commandStatus(DesignCommand::UnorderList) == DesignStatus::NotSupported)
        return;
    openListDialog(dialogs);
}

} // namespace qw
