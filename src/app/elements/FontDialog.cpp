#include "app/elements/FontDialog.h"

#include <QComboBox>
#include <QFontDatabase>

namespace qw {

FontDialog::FontDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Písmo"), parent)
{
    QStringList sizes;
    for (int size = 1; size <= 7; ++size)
        sizes.append(QString::number(size));
    buildFields({
        {.name = QStringLiteral("cmbFontFace"),
         .label = QStringLiteral("Písmo:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("FACE")},
        {.name = QStringLiteral("cmbColor"),
         .label = QStringLiteral("Barva:"),
         .kind = FieldKind::Color,
         .attribute = QStringLiteral("COLOR")},
        {.name = QStringLiteral("cmbSize"),
         .label = QStringLiteral("Velikost: "),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("SIZE"),
         .items = sizes,
         .focus = FocusExit::Window},
    });
    setOkOrder(
        {QStringLiteral("cmbFontFace"), QStringLiteral("cmbColor"), QStringLiteral("cmbSize")});
}

void FontDialog::fillFontFaces()
{
    auto* faces = static_cast<QComboBox*>(field(u"cmbFontFace"));
    const QString typed = faces->currentText();
    faces->clear();
    faces->addItems(QFontDatabase::families());
    faces->setCurrentIndex(-1);
    faces->setEditText(typed);
}

void FontDialog::applyEditTagSetup(const EditTagTarget&)
{
    fillFontFaces();
}

QString FontDialog::elementName() const
{
    // The same form edits a BASEFONT tag; only its caption tells the two apart.
    if (mode() == ElementMode::Edit && windowTitle() == baseFontCaption())
        return QStringLiteral("basefont");
    return QStringLiteral("font");
}

bool FontDialog::writeToDesign(DesignDocument& document)
{
    const QString face = fieldText(u"cmbFontFace");
    if (!face.isEmpty())
        document.runCommand(DesignCommand::SetFontName, kDesignDefault, face);
    const QString size = fieldText(u"cmbSize");
    document.runCommand(DesignCommand::SetFontSize, kDesignDefault,
                        size.isEmpty() ? QStringLiteral("3") : size);
    document.runCommand(DesignCommand::SetForeColor, kDesignDefault, fieldText(u"cmbColor"));
    return true;
}

} // namespace qw
