#include "core/settings/ColorText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(ColorText, EveryNameRoundTripsInAnyCase)
{
    struct Case
    {
        QString name;
        ColorRef color;
    };
    const Case cases[] = {
        {u"clBlack"_s, 0x000000}, {u"clMaroon"_s, 0x000080},  {u"clGreen"_s, 0x008000},
        {u"clOlive"_s, 0x008080}, {u"clNavy"_s, 0x800000},    {u"clPurple"_s, 0x800080},
        {u"clTeal"_s, 0x808000},  {u"clGray"_s, 0x808080},    {u"clSilver"_s, 0xC0C0C0},
        {u"clRed"_s, 0x0000FF},   {u"clLime"_s, 0x00FF00},    {u"clYellow"_s, 0x00FFFF},
        {u"clBlue"_s, 0xFF0000},  {u"clFuchsia"_s, 0xFF00FF}, {u"clAqua"_s, 0xFFFF00},
        {u"clWhite"_s, 0xFFFFFF}, {u"clNone"_s, ColorNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(colorToText(c.color), c.name);
        EXPECT_EQ(colorFromText(c.name), c.color);
        EXPECT_EQ(colorFromText(c.name.toUpper()), c.color);
        EXPECT_EQ(colorFromText(c.name.toLower()), c.color);
    }

    // The system colours in the order of their roles.
    const QString system[] = {
        u"clScrollBar"_s,    u"clBackground"_s,  u"clActiveCaption"_s, u"clInactiveCaption"_s,
        u"clMenu"_s,         u"clWindow"_s,      u"clWindowFrame"_s,   u"clMenuText"_s,
        u"clWindowText"_s,   u"clCaptionText"_s, u"clActiveBorder"_s,  u"clInactiveBorder"_s,
        u"clAppWorkSpace"_s, u"clHighlight"_s,   u"clHighlightText"_s, u"clBtnFace"_s,
        u"clBtnShadow"_s,    u"clGrayText"_s,    u"clBtnText"_s,       u"clInactiveCaptionText"_s,
        u"clBtnHighlight"_s, u"cl3DDkShadow"_s,  u"cl3DLight"_s,       u"clInfoText"_s,
        u"clInfoBk"_s,
    };
    static_assert(std::size(system) == SystemColorCount);
    for (quint32 i = 0; i < SystemColorCount; ++i) {
        SCOPED_TRACE(system[i].toStdString());
        const ColorRef c = SystemColorFlag | i;
        EXPECT_EQ(colorToText(c), system[i]);
        EXPECT_EQ(colorFromText(system[i].toUpper()), c);
        EXPECT_EQ(systemColorOf(c), static_cast<SystemColor>(i));
    }
    EXPECT_EQ(systemColorOf(0x0000FF), std::nullopt);
    EXPECT_EQ(systemColorOf(SystemColorFlag | SystemColorCount), std::nullopt);
    EXPECT_EQ(systemColorOf(ColorNone), std::nullopt);
}

TEST(ColorText, OtherColoursAreWrittenAsEightUpperCaseHexDigits)
{
    struct Case
    {
        ColorRef color;
        QString text;
    };
    const Case cases[] = {
        {0x00ABCDEF, u"$00ABCDEF"_s},
        {0x000001, u"$00000001"_s},
        {0xFFFFFFFF, u"$FFFFFFFF"_s},
        {SystemColorFlag | SystemColorCount, u"$80000019"_s}, // past the last role
    };
    for (const Case& c : cases) {
        EXPECT_EQ(colorToText(c.color), c.text);
        EXPECT_EQ(colorFromText(c.text), c.color);
    }
}

TEST(ColorText, ReadsHexAndDecimalAndRejectsTextsNamingNoColour)
{
    struct Case
    {
        QString text;
        std::optional<ColorRef> color;
    };
    const Case cases[] = {
        {u"$ff"_s, 0x0000FF},
        {u"$0080FF"_s, 0x0080FF},
        {u" $00800000 "_s, 0x800000},
        {u"0"_s, 0x000000},
        {u"16777215"_s, 0xFFFFFF},
        {u"4294967295"_s, 0xFFFFFFFF},
        {u"-2147483633"_s, systemColorRef(SystemColor::BtnFace)},
        {u"-2147483648"_s, SystemColorFlag},
        {u""_s, std::nullopt},
        {u"$"_s, std::nullopt},
        {u"$123456789"_s, std::nullopt}, // nine digits
        {u"$-1"_s, std::nullopt},
        {u"$0x10"_s, std::nullopt},
        {u"$12G"_s, std::nullopt},
        {u"4294967296"_s, std::nullopt},
        {u"-2147483649"_s, std::nullopt},
        {u"-"_s, std::nullopt},
        {u"+5"_s, std::nullopt},
        {u"12px"_s, std::nullopt},
        {u"clRedish"_s, std::nullopt},
        {u"red"_s, std::nullopt},
        {u"#FF0000"_s, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(colorFromText(c.text), c.color);
    }
}

} // namespace
} // namespace qw
