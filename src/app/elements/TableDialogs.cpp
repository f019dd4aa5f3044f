#include "app/elements/TableDialogs.h"

namespace qw {

namespace {

const QString kOptions = QStringLiteral("Možnosti");
const QString kColours = QStringLiteral("Vlastní barvy");

FieldDef edit(const char* name, const char* label, const char* attribute)
{
    return editField(name, label, attribute, kOptions);
}

FieldDef align()
{
    FieldDef def = edit("cmbAlign", "Zarovnat:", "ALIGN");
    def.kind = FieldKind::Combo;
    def.items = {QString(),
                 QStringLiteral("left"),
                 QStringLiteral("center"),
                 QStringLiteral("right"),
                 QStringLiteral("bleedleft"),
                 QStringLiteral("bleedright"),
                 QStringLiteral("justify")};
    return def;
}

FieldDef valign()
{
    FieldDef def = edit("cmbVALIGN", "V. zarovnat:", "VALIGN");
    def.kind = FieldKind::Combo;
    def.items = {QString(), QStringLiteral("top"), QStringLiteral("middle"),
                 QStringLiteral("bottom"), QStringLiteral("baseline")};
    return def;
}

FieldDef background()
{
    FieldDef def = edit("edBACKGROUND", "Obrázek:", "BACKGROUND");
    def.browse = BrowseKind::Picture;
    def.browseHint = QStringLiteral("Otevřít obrázek");
    def.browseName = QStringLiteral("btnOpenImage");
    return def;
}

QList<FieldDef> colourGroup()
{
    auto color = [](const char* name, const char* label, const char* attribute) {
        return FieldDef{.name = QString::fromLatin1(name),
                        .label = QString::fromUtf8(label),
                        .kind = FieldKind::Color,
                        .attribute = QString::fromLatin1(attribute),
                        .focus = FocusExit::Window,
                        .group = kColours};
    };
    return {color("ColorCombo1", "Pozadí:", "BGCOLOR"),
            color("ColorCombo2", "Okraj:", "BORDERCOLOR"),
            color("ColorCombo3", "Světlé ohraničení:", "BORDERCOLORLIGHT"),
            color("ColorCombo4", "Tmavé ohraničení:", "BORDERCOLORDARK")};
}

const QStringList kColourOrder = {QStringLiteral("ColorCombo1"), QStringLiteral("ColorCombo2"),
                                  QStringLiteral("ColorCombo3"), QStringLiteral("ColorCombo4")};

} // namespace

TableDialog::TableDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Tabulka"), parent)
{
    buildFields(
        QList<FieldDef>{edit("edWidth", "Šířka:", "WIDTH"), edit("edBorder", "Okraj:", "BORDER"),
                        align(), valign(), edit("edCellpadding", "Výplň buňky:", "CELLPADDING"),
                        edit("edCellspacing", "Hustota buněk:", "CELLSPACING"), background()} +
        colourGroup());
    setOkOrder(QStringList{QStringLiteral("edWidth"), QStringLiteral("edBorder"),
                           QStringLiteral("cmbAlign"), QStringLiteral("cmbVALIGN"),
                           QStringLiteral("edCellpadding"), QStringLiteral("edCellspacing"),
                           QStringLiteral("edBACKGROUND")} +
               kColourOrder);
}

void TableDialog::prepareToShow()
{
    field(u"edWidth")->setFocus();
}

RowDialog::RowDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Řádek"), parent)
{
    // BORDER is not the row's to set, but a row tag that has one keeps it:
    // the hidden field carries it through an edit.
    FieldDef border = edit("edBorder", "Okraj:", "BORDER");
    border.hidden = true;
    buildFields(QList<FieldDef>{edit("edWidth", "Šířka:", "WIDTH"), align(), valign(), border} +
                colourGroup());
    setOkOrder(QStringList{QStringLiteral("edWidth"), QStringLiteral("edBorder"),
                           QStringLiteral("cmbAlign"), QStringLiteral("cmbVALIGN")} +
               kColourOrder);
}

void RowDialog::prepareToShow()
{
    field(u"edWidth")->setFocus();
}

CellDialog::CellDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Buňka"), parent)
{
    buildFields(QList<FieldDef>{edit("edWidth", "Šířka:", "WIDTH"),
                                edit("edHeight", "Výška:", "HEIGHT"), align(), valign(),
                                edit("edRowSpan", "Počet řádků:", "ROWSPAN"),
                                edit("edColSpan", "Počet sloupců:", "COLSPAN"), background()} +
                colourGroup());
    setOkOrder(QStringList{QStringLiteral("edWidth"), QStringLiteral("edHeight"),
                           QStringLiteral("cmbAlign"), QStringLiteral("cmbVALIGN"),
                           QStringLiteral("edRowSpan"), QStringLiteral("edColSpan"),
                           QStringLiteral("edBACKGROUND")} +
               kColourOrder);
}

void CellDialog::prepareToShow()
{
    field(u"edWidth")->setFocus();
}

QString CellDialog::elementName() const
{
    const QString caption = windowTitle();
    return caption == insertHeaderCaption() || caption == QStringLiteral("Upravit hlavičku tabulky")
               ? QStringLiteral("th")
               : QStringLiteral("td");
}

namespace {

bool isTag(const std::optional<DesignElement>& element, QStringView tag)
{
    return element && element->tagName.compare(tag, Qt::CaseInsensitive) == 0;
}

} // namespace

bool TableDialog::writeToDesign(DesignDocument& document)
{
    if (mode() != ElementMode::Edit)
        return true;
    const std::optional<DesignElement> element = document.selectedElement();
    const bool table = isTag(element, u"TABLE");
    if (!table && !isTag(element, u"TD"))
        return true;
    std::optional<DesignAttributeChanges> changes = designChanges();
    if (!changes)
        return false;
    if (!table) {
        // A cell takes only what a cell has of the table's attributes.
        static const QStringList kCell = {QStringLiteral("background"),
                                          QStringLiteral("width"),
                                          QStringLiteral("align"),
                                          QStringLiteral("valign"),
                                          QStringLiteral("bgcolor"),
                                          QStringLiteral("bordercolor"),
                                          QStringLiteral("bordercolorlight"),
                                          QStringLiteral("bordercolordark")};
        changes->removeIf([](const auto& change) { return !kCell.contains(change.first); });
    }
    document.changeSelectedElement(*changes);
    return true;
}

bool CellDialog::writeToDesign(DesignDocument& document)
{
    // Any element but a cell is left as it is.
    if (mode() != ElementMode::Edit || !isTag(document.selectedElement(), u"TD"))
        return true;
    const std::optional<DesignAttributeChanges> changes = designChanges();
    if (!changes)
        return false;
    document.changeSelectedElement(*changes);
    return true;
}

} // namespace qw
