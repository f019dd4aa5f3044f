#include "app/elements/FrameDialogs.h"

#include <QPushButton>

namespace qw {

namespace {

FieldDef edit(const char* name, const char* label, const char* attribute)
{
    return editField(name, label, attribute);
}

FieldDef combo(const char* name, const char* label, const char* attribute, QStringList items)
{
    FieldDef def = edit(name, label, attribute);
    def.kind = FieldKind::Combo;
    def.items = std::move(items);
    return def;
}

FieldDef color(const char* name, const char* label)
{
    FieldDef def = edit(name, label, "BORDERCOLOR");
    def.kind = FieldKind::Color;
    return def;
}

FieldDef source(const char* label, BrowseKind browse)
{
    FieldDef def = edit("edSource", label, "SRC");
    def.browse = browse;
    def.browseHint = QStringLiteral("Otevřít obrázek");
    def.browseName = QStringLiteral("btnOpenImage");
    return def;
}

QStringList frameBorderItems()
{
    return {QString(), QStringLiteral("0"), QStringLiteral("yes"), QStringLiteral("no")};
}

QStringList scrollingItems()
{
    return {QString(), QStringLiteral("auto"), QStringLiteral("yes"), QStringLiteral("no")};
}

QStringList names(std::initializer_list<const char*> list)
{
    QStringList result;
    for (const char* name : list)
        result.append(QString::fromLatin1(name));
    return result;
}

} // namespace

FramesetDialog::FramesetDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Frameset"), parent)
{
    buildFields({
        edit("edRows", "Řádky:", "ROWS"),
        edit("edCols", "Sloupce:", "COLS"),
        combo("cmbFrameBorder", "Frame Border:", "FRAMEBORDER", frameBorderItems()),
        edit("edFrameSpacing", "Frame Spacing:", "FRAMESPACING"),
        edit("edBorder", "Border:", "BORDER"),
        color("cbBorderColor", "Barva:"),
    });
    setOkOrder(names(
        {"edRows", "edCols", "cmbFrameBorder", "edBorder", "cbBorderColor", "edFrameSpacing"}));
}

void FramesetDialog::prepareToShow()
{
    field(u"edRows")->setFocus();
}

FrameDialog::FrameDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("frmFrame"), parent)
{
    okButton()->setObjectName(QStringLiteral("Button1"));
    cancelButton()->setObjectName(QStringLiteral("Button2"));
    buildFields({
        source("Src:", BrowseKind::Picture),
        edit("edName", "Name:", "NAME"),
        combo("cmbScrolling", "Scrolling :", "SCROLLING", scrollingItems()),
        edit("edSpacing", "Spacing :", "FRAMESPACING"),
        edit("edMarginWidth", "Margin Width:", "MARGINWIDTH"),
        edit("edMarginHeight", "Margin Height:", "MARGINHEIGHT"),
        combo("cmbFrameBorder", "Border:", "FRAMEBORDER", frameBorderItems()),
        color("ccBorderColor", "Border Color:"),
    });
    setOkOrder(names({"edSource", "edName", "cmbScrolling", "edSpacing", "edMarginWidth",
                      "edMarginHeight", "cmbFrameBorder", "ccBorderColor"}));
}

void FrameDialog::prepareToShow()
{
    field(u"edSource")->setFocus();
}

InlineFrameDialog::InlineFrameDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("IFrame"), parent)
{
    buildFields({
        source("Source:", BrowseKind::File),
        edit("edName", "Name:", "NAME"),
        combo("cmbScrolling", "Scrolling:", "SCROLLING", scrollingItems()),
        // The alignments an inline frame takes (not the frame-border values).
        combo("cmbAlign", "Align:", "ALIGN",
              {QString(), QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("top"),
               QStringLiteral("middle"), QStringLiteral("bottom")}),
        edit("edWidth", "Width:", "WIDTH"),
        edit("edHeight", "Height:", "HEIGHT"),
        edit("edMarginHeight", "Margin Height:", "MARGINHEIGHT"),
        edit("edMarginWidth", "Margin Width:", "MARGINWIDTH"),
    });
    setOkOrder(names({"edSource", "edName", "cmbScrolling", "cmbAlign", "edWidth", "edHeight",
                      "edMarginWidth", "edMarginHeight"}));
}

void InlineFrameDialog::prepareToShow()
{
    field(u"edSource")->setFocus();
}

} // namespace qw
