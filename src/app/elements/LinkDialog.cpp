#include "app/elements/LinkDialog.h"

#include "app/services/UiServices.h"

#include <QGroupBox>

namespace qw {

namespace {
const QString kSettings = QStringLiteral(" Nastavení ");
const QString kLinkText = QStringLiteral(" Text odkazu ");
} // namespace

LinkDialog::LinkDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Odkaz"), parent)
{
    buildFields({
        {.name = QStringLiteral("cmbHREF"),
         .label = QStringLiteral("Href:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("HREF"),
         .items = {QString(), QStringLiteral("mailto:")},
         .focus = FocusExit::White,
         .group = kSettings,
         .browse = BrowseKind::Custom,
         .browseHint = QStringLiteral("Vložit odkaz"),
         .browseName = QStringLiteral("btnFile")},
        {.name = QStringLiteral("cmbTarget"),
         .label = QStringLiteral("Target:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("TARGET"),
         .items = {QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"),
                   QStringLiteral("_top")},
         .focus = FocusExit::White,
         .group = kSettings},
        {.name = QStringLiteral("edTitle"),
         .label = QStringLiteral("Title:"),
         .kind = FieldKind::Edit,
         .attribute = QStringLiteral("TITLE"),
         .focus = FocusExit::White,
         .group = kSettings},
        {.name = QStringLiteral("Memo1"),
         .kind = FieldKind::Memo,
         .focus = FocusExit::White,
         .group = kLinkText},
    });
    // The title is shown and filled from the tag, so a title the user types
    // or clears is written as well (after HREF and TARGET).
    setOkOrder({QStringLiteral("cmbHREF"), QStringLiteral("cmbTarget"), QStringLiteral("edTitle")});
}

void LinkDialog::prepareInsert(const QString& selectedText)
{
    m_designInsert = DesignInsert::None;
    setFieldText(u"Memo1", selectedText);
    setLinkTextShown(true);
}

void LinkDialog::prepareDesign(const QString& activeText)
{
    m_designInsert = DesignInsert::None;
    setFieldText(u"Memo1", activeText);
    setLinkTextShown(false);
}

void LinkDialog::prepareDesignInsert(bool aroundSelection)
{
    m_designInsert = aroundSelection ? DesignInsert::AroundSelection : DesignInsert::WithText;
    setFieldText(u"Memo1", QString());
    setLinkTextShown(!aroundSelection);
}

void LinkDialog::applyEditTagSetup(const EditTagTarget&)
{
    m_designInsert = DesignInsert::None;
    setLinkTextShown(false);
}

bool LinkDialog::writeToDesign(DesignDocument& document)
{
    if (mode() == ElementMode::Edit || m_designInsert == DesignInsert::None)
        return ElementDialog::writeToDesign(document);
    QList<QPair<QString, QString>> attributes;
    for (const AttributeValue& v : okValues()) {
        if (!v.value.isEmpty())
            attributes.append({asciiLower(v.attribute), v.value});
    }
    if (m_designInsert == DesignInsert::AroundSelection) {
        document.linkSelection(attributes);
        return true;
    }
    // What the user types is the text the page shows, not markup.
    const QString text = fieldText(u"Memo1");
    if (text.trimmed().isEmpty()) {
        ui().notify(this, UiServices::Icon::Information,
                    QStringLiteral("Odkaz nemá text, a tak by na stránce nebyl vidět. Napište "
                                   "text odkazu, nebo před vložením odkazu označte text na "
                                   "stránce."));
        field(u"Memo1")->setFocus();
        return false;
    }
    TagAttributeList list;
    for (const auto& [name, value] : attributes)
        list.setTagAttribute(name, value.toHtmlEscaped());
    document.pasteHtml(
        list.buildTagText(u"a", text.toHtmlEscaped(), true,
                          context().tagCase ? context().tagCase() : TagCaseOptions{}));
    return true;
}

void LinkDialog::setLinkTextShown(bool shown)
{
    groupBox(kLinkText)->setVisible(shown);
    adjustSize();
}

void LinkDialog::prepareToShow()
{
    field(u"cmbHREF")->setFocus();
}

QString LinkDialog::insertContent(EditorWidget&) const
{
    return fieldText(u"Memo1");
}

void LinkDialog::browseCustom(const FieldDef&)
{
    // Unlike every other browse button, the full path goes in unchanged.
    const QString path = ui().openFileName(
        this, QString(), context().fileFilter ? context().fileFilter(true) : QString(), QString());
    if (!path.isEmpty())
        setFieldText(u"cmbHREF", path);
}

} // namespace qw
