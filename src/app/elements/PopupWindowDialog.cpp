#include "app/elements/PopupWindowDialog.h"

#include "core/commands/MarkupInsertion.h"

#include <QCheckBox>

namespace qw {

namespace {

const QString kShow = QStringLiteral(" Zobrazit ");

FieldDef edit(const char* name, const char* label)
{
    return FieldDef{.name = QString::fromLatin1(name),
                    .label = QString::fromUtf8(label),
                    .kind = FieldKind::Edit,
                    .focus = FocusExit::Window};
}

FieldDef check(const char* name, const char* label)
{
    return FieldDef{.name = QString::fromLatin1(name),
                    .label = QString::fromUtf8(label),
                    .kind = FieldKind::Check,
                    .group = kShow};
}

} // namespace

PopupWindowDialog::PopupWindowDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, caption(), parent)
{
    FieldDef source = edit("edSrc", "Cesta :");
    source.browse = BrowseKind::File;
    source.browseHint = QStringLiteral("Otevřít");
    source.browseName = QStringLiteral("btnOpen");
    buildFields({
        source,
        edit("edTitle", "Titulek : "),
        edit("edHeight", "Výška :"),
        edit("edWidth", "Šířka :"),
        check("chbNavigationBar", "Navigační panel"),
        check("chbShowMenu", "Menu"),
        check("chbScrollBar", "ScrollBar"),
        check("chbResizable", "Okno s měnitelnou velikostí"),
        check("chbLinksBar", "Odkazy"),
        check("chbStatusBar", "Stavový řádek"),
        check("chbLocation", "Panel Adresa"),
        check("chbFullScreen", "Celá obrazovka"),
    });
}

PopupWindowOptions PopupWindowDialog::options() const
{
    auto checked = [this](QStringView name) {
        return checkField(name)->isChecked();
    };
    PopupWindowOptions o;
    o.address = fieldText(u"edSrc");
    o.title = fieldText(u"edTitle");
    o.height = fieldText(u"edHeight");
    o.width = fieldText(u"edWidth");
    o.toolbar = checked(u"chbNavigationBar");
    o.menubar = checked(u"chbShowMenu");
    o.scrollbars = checked(u"chbScrollBar");
    o.resizable = checked(u"chbResizable");
    o.directories = checked(u"chbLinksBar");
    o.status = checked(u"chbStatusBar");
    o.location = checked(u"chbLocation");
    o.fullscreen = checked(u"chbFullScreen");
    return o;
}

void PopupWindowDialog::prepareToShow()
{
    field(u"edSrc")->setFocus();
}

void PopupWindowDialog::writeToSource(EditorWidget& editor)
{
    insertBeforeSelection(editor, buildPopupWindowScript(options()));
}

} // namespace qw
