#include "app/elements/FormDialog.h"

namespace qw {

FormDialog::FormDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Insert Form"), parent)
{
    buildFields({
        {.name = QStringLiteral("cmbAction"),
         .label = QStringLiteral("Action:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("ACTION"),
         .focus = FocusExit::Window},
        {.name = QStringLiteral("cmbEncType"),
         .label = QStringLiteral("EncType:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("ENCTYPE"),
         .items = {QStringLiteral("application/x-www-form-urlencoded"),
                   QStringLiteral("multipart/form-data")},
         .focus = FocusExit::Window},
        {.name = QStringLiteral("cmbMethod"),
         .label = QStringLiteral("Method:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("METHOD"),
         .items = {QString(), QStringLiteral("post"), QStringLiteral("get")},
         .focus = FocusExit::Window},
    });
    setOkOrder(
        {QStringLiteral("cmbAction"), QStringLiteral("cmbEncType"), QStringLiteral("cmbMethod")});
}

void FormDialog::prepareToShow()
{
    field(u"cmbAction")->setFocus();
}

} // namespace qw
