#include "app/elements/ScriptDialog.h"

namespace qw {

namespace {

QStringList items(std::initializer_list<const char*> list)
{
    QStringList result{QString()};
    for (const char* item : list)
        result.append(QString::fromLatin1(item));
    return result;
}

} // namespace

ScriptDialog::ScriptDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, insertCaption(), parent)
{
    buildFields({
        {.name = QStringLiteral("edSource"),
         .label = QStringLiteral("Source: "),
         .kind = FieldKind::Edit,
         .attribute = QStringLiteral("SRC"),
         .focus = FocusExit::Window,
         .browse = BrowseKind::File,
         .browseHint = QStringLiteral("Otevřít"),
         .browseName = QStringLiteral("btnFile")},
        {.name = QStringLiteral("cmbType"),
         .label = QStringLiteral("Type: "),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("TYPE"),
         .items = items(
             {"text/javascript", "text/vbscript", "text/jscript", "text/livescript", "text/tcl"}),
         .focus = FocusExit::Window},
        {.name = QStringLiteral("cmbLanguage"),
         .label = QStringLiteral("Language: "),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("LANGUAGE"),
         .items = items(
             {"JavaScript", "JavaScript1.1", "JavaScript1.2", "JScript", "VBScript", "LiveScript"}),
         .focus = FocusExit::Window},
        {.name = QStringLiteral("cmbEvent"),
         .label = QStringLiteral("Event:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("EVENT"),
         .items =
             items({"onLoad", "onUnload", "onClick", "onDblClick", "onMouseDown", "onMouseUp",
                    "onMouseOver", "onMouseMove", "onMouseOut", "onFocus", "onBlur", "onKeyPress",
                    "onKeyDown", "onKeyUp", "onSubmit", "onReset", "onSelect", "onChange"}),
         .focus = FocusExit::Window},
    });
    setOkOrder({QStringLiteral("cmbType"), QStringLiteral("cmbLanguage"),
                QStringLiteral("edSource"), QStringLiteral("cmbEvent")});
}

void ScriptDialog::prepareToShow()
{
    field(u"edSource")->setFocus();
}

} // namespace qw
