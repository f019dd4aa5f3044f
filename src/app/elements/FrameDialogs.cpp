#include "app/elements/FrameDialogs.h"

#include <QPushButton>

namespace qw {

namespace {

FieldSpec edit(const char* name, const char* label, const char* attribute)
{
    return FieldSpec{.name = QString::fromLatin1(name),
                     .label = QString::fromUtf8(label),
                     .kind = FieldKind::Edit,
                     .attribute = QString::fromLatin1(attribute),
                     .focus = FocusExit::Window};
}

FieldSpec combo(const char* name, const char* label, const char* attribute, QStringList items)
{
    FieldSpec spec = edit(name, label, attribute);
    spec.kind = FieldKind::Combo;
    spec.items = std::move(items);
    return spec;
}

FieldSpec color(const char* name, const char* label)
{
    FieldSpec spec = edit(name, label, "BORDERCOLOR");
    spec.kind = FieldKind::Color;
    return spec;
}

FieldSpec source(const char* label, BrowseKind browse)
{
    FieldSpec spec = edit("edSource", label, "SRC");
    spec.browse = browse;
    spec.browseHint = QStringLiteral("Otevřít obrázek");
    spec.browseName = QStringLiteral("btnOpenImage");
    return spec;
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
