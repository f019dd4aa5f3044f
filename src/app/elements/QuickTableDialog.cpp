#include "app/elements/QuickTableDialog.h"

#include <QSpinBox>

namespace qw {

namespace {

FieldDef spin(const char* name, const char* label, const QString& group, int initial)
{
    return FieldDef{.name = QString::fromLatin1(name),
                    .label = QString::fromUtf8(label),
                    .kind = FieldKind::Spin,
                    .group = group,
                    .minimum = kQuickTableMinimum,
                    .maximum = kQuickTableMaximum,
                    .initial = initial};
}

} // namespace

QuickTableDialog::QuickTableDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Vložit tabulku"), parent)
{
    const QString size = QStringLiteral("Velikost");
    const QString layout = QStringLiteral("Rozložení");
    const QuickTableOptions defaults;
    buildFields({
        spin("SpinEdit1", "Počet řádků :", size, defaults.rows),
        spin("SpinEdit2", "Počet sloupců :", size, defaults.columns),
        {.name = QStringLiteral("cmbAlign"),
         .label = QStringLiteral("&Zarovnání :"),
         .kind = FieldKind::Combo,
         .items = {QString(), QStringLiteral("left"), QStringLiteral("right"),
                   QStringLiteral("center")},
         .group = layout},
        spin("SpinEdit3", "Velikost okraje :", layout, defaults.border),
        spin("SpinEdit4", "Vyplň buňky :", layout, defaults.cellPadding),
        spin("SpinEdit5", "Hustota buňek :", layout, defaults.cellSpacing),
    });
}

QuickTableOptions QuickTableDialog::options() const
{
    QuickTableOptions o;
    o.rows = spinField(u"SpinEdit1")->value();
    o.columns = spinField(u"SpinEdit2")->value();
    o.align = fieldText(u"cmbAlign");
    o.border = spinField(u"SpinEdit3")->value();
    o.cellPadding = spinField(u"SpinEdit4")->value();
    o.cellSpacing = spinField(u"SpinEdit5")->value();
    return o;
}

ElementWriteRequest QuickTableDialog::request(EditorWidget&) const
{
    ElementWriteRequest r;
    r.output = ElementOutput::OwnText;
    r.text = buildQuickTable(options());
    return r;
}

bool QuickTableDialog::writeToDesign(DesignDocument& document)
{
    if (document.commandStatus(DesignCommand::InsertTable) != DesignStatus::Enabled)
        return true;
    const QuickTableOptions o = options();
    DesignTableParams params;
    params.rows = o.rows;
    params.columns = o.columns;
    params.tableAttributes = quickTableAttributes(o);
    document.insertTable(params);
    return true;
}

} // namespace qw
