#include "app/elements/LineDialog.h"

namespace qw {

LineDialog::LineDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Vodorovná čára"), parent)
{
    buildFields({
        {.name = QStringLiteral("cmbALIGN"),
         .label = QStringLiteral("Zarovnat:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("ALIGN"),
         .items = {QString(), QStringLiteral("left"), QStringLiteral("center"),
                   QStringLiteral("right")},
         .focus = FocusExit::Window},
        {.name = QStringLiteral("cmbColor"),
         .label = QStringLiteral("Barva:"),
         .kind = FieldKind::Color,
         .attribute = QStringLiteral("COLOR")},
        // SIZE is the rule's thickness, WIDTH its length.
        {.name = QStringLiteral("edSize"),
         .label = QStringLiteral("Šířka:"),
         .kind = FieldKind::Edit,
         .attribute = QStringLiteral("SIZE"),
         .focus = FocusExit::Window},
        {.name = QStringLiteral("edWidth"),
         .label = QStringLiteral("Délka: "),
         .kind = FieldKind::Edit,
         .attribute = QStringLiteral("WIDTH"),
         .focus = FocusExit::Window},
    });
    setOkOrder({QStringLiteral("cmbALIGN"), QStringLiteral("cmbColor"), QStringLiteral("edSize"),
                QStringLiteral("edWidth")});
}

} // namespace qw
