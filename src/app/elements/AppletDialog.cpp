#include "app/elements/AppletDialog.h"

#include "app/services/FileDialogFilter.h"
#include "app/services/UiServices.h"

namespace qw {

namespace {

const QString kOptions = QStringLiteral("Možnosti");

FieldDef edit(const char* name, const char* label, const char* attribute)
{
    return editField(name, label, attribute, kOptions);
}

FieldDef browseField(const char* name, const char* label, const char* attribute, const char* button)
{
    FieldDef def = edit(name, label, attribute);
    def.browse = BrowseKind::Custom;
    def.browseHint = QStringLiteral("Otevřít");
    def.browseName = QString::fromLatin1(button);
    return def;
}

} // namespace

AppletDialog::AppletDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Aplet"), parent)
{
    FieldDef align = edit("cmbAlign", "Align:", "ALIGN");
    align.kind = FieldKind::Combo;
    align.items = {QString(),
                   QStringLiteral("left"),
                   QStringLiteral("right"),
                   QStringLiteral("top"),
                   QStringLiteral("middle"),
                   QStringLiteral("bottom")};
    buildFields({
        browseField("edCode", "Code:", "CODE", "btnCode"),
        browseField("edCodeBase", "CodeBase:", "CODEBASE", "btnCodeBase"),
        edit("edName", "Name:", "NAME"),
        edit("edAlt", "Alt. text:", "ALT"),
        edit("edWidth", "Width:", "WIDTH"),
        edit("edHeight", "Height:", "HEIGHT"),
        edit("edHSpace", "HSpace:", "HSPACE"),
        edit("edVSpace", "VSpace:", "VSPACE"),
        align,
    });
    setOkOrder({QStringLiteral("edCode"), QStringLiteral("edCodeBase"), QStringLiteral("edName"),
                QStringLiteral("edAlt"), QStringLiteral("edWidth"), QStringLiteral("edHeight"),
                QStringLiteral("edHSpace"), QStringLiteral("edVSpace"),
                QStringLiteral("cmbAlign")});
}

void AppletDialog::applyEditTagSetup(const EditTagTarget&)
{
    setWindowTitle(editCaption());
}

void AppletDialog::prepareToShow()
{
    field(u"edCode")->setFocus();
}

void AppletDialog::browseCustom(const FieldDef& def)
{
    // Each button puts its own filter on the shared file dialog, where it
    // stays until the open and save commands set the user's list again.
    const QString filter = def.name == u"edCode"
                               ? QStringLiteral(".class|*.class|Všechny soubory (*.*)|*.*")
                               : QStringLiteral("Všechny soubory (*.*)|*.*");
    const QString dialogFilter = qtDialogFilter(filter);
    if (context().setFileFilter)
        context().setFileFilter(dialogFilter);
    const QString path = ui().openFileName(this, QString(), dialogFilter, QString());
    if (!path.isEmpty())
        setFieldText(def.name, linkPath(path));
}

} // namespace qw
