#include "app/editor/ColorRef.h"

#include "core/settings/ColorText.h"

#include <QApplication>
#include <QPalette>

namespace qw {

namespace {
// The desktop roles behind the stored system colour names.
QColor systemColor(SystemColor role)
{
    const QPalette p = QApplication::palette();
    switch (role) {
    case SystemColor::Window:
    case SystemColor::InfoBk:
        return p.color(QPalette::Base);
    case SystemColor::WindowText:
    case SystemColor::MenuText:
    case SystemColor::CaptionText:
    case SystemColor::InfoText:
        return p.color(QPalette::Text);
    case SystemColor::BtnText:
        return p.color(QPalette::ButtonText);
    case SystemColor::Highlight:
    case SystemColor::ActiveCaption:
        return p.color(QPalette::Highlight);
    case SystemColor::HighlightText:
        return p.color(QPalette::HighlightedText);
    case SystemColor::GrayText:
    case SystemColor::InactiveCaptionText:
        return p.color(QPalette::Disabled, QPalette::Text);
    case SystemColor::BtnShadow:
        return p.color(QPalette::Dark);
    case SystemColor::DkShadow3D:
    case SystemColor::WindowFrame:
        return p.color(QPalette::Shadow);
    case SystemColor::BtnHighlight:
    case SystemColor::Light3D:
        return p.color(QPalette::Light);
    case SystemColor::ScrollBar:
    case SystemColor::Background:
    case SystemColor::InactiveCaption:
    case SystemColor::Menu:
    case SystemColor::ActiveBorder:
    case SystemColor::InactiveBorder:
    case SystemColor::AppWorkSpace:
    case SystemColor::BtnFace:
        return p.color(QPalette::Window);
    }
    return p.color(QPalette::Window);
}
} // namespace

QColor toQColor(ColorRef color)
{
    if (const auto role = systemColorOf(color))
        return systemColor(*role);
    if (color == ColorNone)
        return {};
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

ColorRef fromQColor(const QColor& color)
{
    if (!color.isValid())
        return ColorNone;
    return rgbToColorRef(color.red(), color.green(), color.blue());
}

} // namespace qw
