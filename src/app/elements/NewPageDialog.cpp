#include "app/elements/NewPageDialog.h"

#include "core/editor/EditorWidget.h"

#include <QCheckBox>
#include <QPushButton>

namespace qw {

NewPageDialog::NewPageDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Nový dokument"), parent)
{
    const QString head = QStringLiteral("Hlavička");
    const QString meta = QStringLiteral("Meta");
    buildFields({
        {.name = QStringLiteral("edTitle"), .label = QStringLiteral("Title :"), .group = head},
        {.name = QStringLiteral("cmbDocType"),
         .label = QStringLiteral("DocType :"),
         .kind = FieldKind::Combo,
         .items = newPageDocTypes(),
         .group = head},
        {.name = QStringLiteral("mmKeyWords"),
         .label = QStringLiteral("Keywords :"),
         .kind = FieldKind::Memo,
         .group = meta},
        {.name = QStringLiteral("mmDescription"),
         .label = QStringLiteral("Description :"),
         .kind = FieldKind::Memo,
         .group = meta},
        {.name = QStringLiteral("chbNewDoc"),
         .label = QStringLiteral("vytvořit nový dokument"),
         .kind = FieldKind::Check,
         .initial = 1},
    });
    okButton()->setText(QStringLiteral("Ok"));
}

NewPageOptions NewPageDialog::options() const
{
    NewPageOptions o;
    o.docType = fieldText(u"cmbDocType");
    o.title = fieldText(u"edTitle");
    o.keywords = fieldText(u"mmKeyWords");
    o.description = fieldText(u"mmDescription");
    return o;
}

void NewPageDialog::writeToSource(EditorWidget& editor)
{
    const NewPageText page = buildNewPage(options());
    if (!checkField(u"chbNewDoc")->isChecked()) {
        editor.replaceSelection(page.text);
        return;
    }
    EditorWidget* fresh = context().newDocument ? context().newDocument() : nullptr;
    if (fresh == nullptr)
        return;
    fresh->setText(page.text);
    fresh->setSelectionStart(page.caret);
}

} // namespace qw
