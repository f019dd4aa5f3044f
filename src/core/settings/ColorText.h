#pragma once

#include "core/settings/HighlightStyle.h"

#include <QString>

#include <optional>

namespace qw {

// Colours the desktop decides: the window resolves them through its palette
// when it draws. They are kept as 0x80000000 plus the role's number, so they
// round-trip through the settings like any other colour.
enum class SystemColor : quint32 {
    ScrollBar,
    Background,
    ActiveCaption,
    InactiveCaption,
    Menu,
    Window,
    WindowFrame,
    MenuText,
    WindowText,
    CaptionText,
    ActiveBorder,
    InactiveBorder,
    AppWorkSpace,
    Highlight,
    HighlightText,
    BtnFace,
    BtnShadow,
    GrayText,
    BtnText,
    InactiveCaptionText,
    BtnHighlight,
    DkShadow3D,
    Light3D,
    InfoText,
    InfoBk,
};
inline constexpr quint32 SystemColorCount = 25;
inline constexpr ColorRef SystemColorFlag = 0x80000000;
// "No colour": the element takes no colour of its own.
inline constexpr ColorRef ColorNone = 0x1FFFFFFF;

inline constexpr ColorRef systemColorRef(SystemColor role)
{
    return SystemColorFlag | static_cast<quint32>(role);
}

// The role of a system colour; empty for an ordinary colour.
std::optional<SystemColor> systemColorOf(ColorRef color);

// The colour's name when it has one (clBlack, clBtnFace, clNone, ...),
// otherwise "$" and eight upper-case hexadecimal digits of 00BBGGRR.
QString colorToText(ColorRef color);

// Accepts a name in any letter case, "$" with up to eight hexadecimal digits,
// or a decimal number (negative ones as the 32-bit pattern they stand for).
// A text naming no colour gives nothing, so the caller keeps its default.
std::optional<ColorRef> colorFromText(QStringView text);

} // namespace qw
