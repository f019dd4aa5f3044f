#include "core/settings/ColorText.h"

using namespace Qt::StringLiterals;

namespace qw {

namespace {

struct NamedColor
{
    QStringView name;
    ColorRef color;
};

constexpr ColorRef sys(SystemColor role)
{
    return systemColorRef(role);
}

// Basic colours first: a value that is both a basic colour and something else
// is written by its basic name.
constexpr NamedColor namedColors[] = {
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clScrollBar", sys(SystemColor::ScrollBar)},
    {u"clBackground", sys(SystemColor::Background)},
    {u"clActiveCaption", sys(SystemColor::ActiveCaption)},
    {u"clInactiveCaption", sys(SystemColor::InactiveCaption)},
    {u"clMenu", sys(SystemColor::Menu)},
    {u"clWindow", sys(SystemColor::Window)},
    {u"clWindowFrame", sys(SystemColor::WindowFrame)},
    {u"clMenuText", sys(SystemColor::MenuText)},
    {u"clWindowText", sys(SystemColor::WindowText)},
    {u"clCaptionText", sys(SystemColor::CaptionText)},
    {u"clActiveBorder", sys(SystemColor::ActiveBorder)},
    {u"clInactiveBorder", sys(SystemColor::InactiveBorder)},
    {u"clAppWorkSpace", sys(SystemColor::AppWorkSpace)},
    {u"clHighlight", sys(SystemColor::Highlight)},
    {u"clHighlightText", sys(SystemColor::HighlightText)},
    {u"clBtnFace", sys(SystemColor::BtnFace)},
    {u"clBtnShadow", sys(SystemColor::BtnShadow)},
    {u"clGrayText", sys(SystemColor::GrayText)},
    {u"clBtnText", sys(SystemColor::BtnText)},
    {u"clInactiveCaptionText", sys(SystemColor::InactiveCaptionText)},
    {u"clBtnHighlight", sys(SystemColor::BtnHighlight)},
    {u"cl3DDkShadow", sys(SystemColor::DkShadow3D)},
    {u"cl3DLight", sys(SystemColor::Light3D)},
    {u"clInfoText", sys(SystemColor::InfoText)},
    {u"clInfoBk", sys(SystemColor::InfoBk)},
    {u"clNone", ColorNone},
};

std::optional<ColorRef> parseHex(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, 16);
    // toULongLong would also take a sign or a "0x"; only digits count here.
    for (QChar c : digits) {
        if (!c.isDigit() && !(c >= u'a' && c <= u'f') && !(c >= u'A' && c <= u'F'))
            return std::nullopt;
    }
    return ok ? std::optional<ColorRef>(ColorRef(value)) : std::nullopt;
}

std::optional<ColorRef> parseDecimal(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 10)
        return std::nullopt;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const qlonglong value = digits.toLongLong();
    if (negative ? value > 0x80000000LL : value > 0xFFFFFFFFLL)
        return std::nullopt;
    return ColorRef(quint32(negative ? -value : value));
}

} // namespace

std::optional<SystemColor> systemColorOf(ColorRef color)
{
    if ((color & SystemColorFlag) == 0 || (color & ~SystemColorFlag) >= SystemColorCount)
        return std::nullopt;
    return static_cast<SystemColor>(color & ~SystemColorFlag);
}

QString colorToText(ColorRef color)
{
    for (const NamedColor& n : namedColors) {
        if (n.color == color)
            return n.name.toString();
    }
    return u'$' + QStringLiteral("%1").arg(qulonglong(color), 8, 16, QChar(u'0')).toUpper();
}

std::optional<ColorRef> colorFromText(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.startsWith(u'$'))
        return parseHex(t.sliced(1));
    for (const NamedColor& n : namedColors) {
        if (t.compare(n.name, Qt::CaseInsensitive) == 0)
            return n.color;
    }
    return parseDecimal(t);
}

} // namespace qw
