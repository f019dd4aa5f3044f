#include "core/elements/ColorField.h"

#include "core/settings/ColorText.h"

#include <algorithm>

namespace qw {

namespace {

constexpr ColorFieldEntry entries[kColorFieldEntryCount] = {
    {u"Vlastní...", std::nullopt},  {u"Žádná", std::nullopt},
    {u"Černá", 0x000000},           {u"Kaštanová", 0x800000},
    {u"Zelená", 0x008000},          {u"Olivová", 0x808000},
    {u"Námořnická modř", 0x000080}, {u"Purpurová", 0x800080},
    {u"Šedozelená", 0x008080},      {u"Šedá", 0x808080},
    {u"Stříbrná", 0xC0C0C0},        {u"Červená", 0xFF0000},
    {u"Žlutozelená", 0x00FF00},     {u"Žlutá", 0xFFFF00},
    {u"Modrá", 0x0000FF},           {u"Fialová", 0xFF00FF},
    {u"Akvamarínová", 0x00FFFF},    {u"Bílá", 0xFFFFFF},
};

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// ColorRef keeps blue in the high byte; the field thinks in RGB.
ColorRef colorRefOfRgb(quint32 rgb)
{
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

} // namespace

std::span<const ColorFieldEntry> colorFieldEntries()
{
    return entries;
}

QString colorFieldValueText(quint32 rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QChar(u'0')).toUpper();
}

std::optional<ColorRef> colorFieldColor(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    if (text.size() == 7 && text.front() == u'#') {
        const QStringView digits = text.mid(1);
        if (std::all_of(digits.begin(), digits.end(), isHexDigit))
            return colorRefOfRgb(digits.toUInt(nullptr, 16));
    }
    // Only a name counts here: "cl" in front keeps hexadecimal and decimal
    // texts out of the colour-text parser.
    const std::optional<ColorRef> named = colorFromText(QStringLiteral("cl") + text.toString());
    if (!named || *named == ColorNone)
        return colorRefOfRgb(kColorFieldWhite);
    return named;
}

int colorFieldEntryFor(quint32 rgb)
{
    for (int i = kColorFieldEntryCount - 1; i > kColorFieldNone; --i) {
        if (entries[i].rgb == (rgb & 0xFFFFFF))
            return i;
    }
    return kColorFieldCustom;
}

} // namespace qw
