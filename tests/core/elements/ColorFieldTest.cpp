#include "core/elements/ColorField.h"

#include "core/settings/ColorText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// RGB of a colour the field resolved, for ordinary (non-system) colours.
quint32 rgbOf(ColorRef c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

TEST(ColorField, EntriesAreTheEighteenLabelsInOrder)
{
    const auto entries = colorFieldEntries();
    ASSERT_EQ(entries.size(), std::size_t(kColorFieldEntryCount));
    EXPECT_EQ(entries[0].label, u"Vlastní...");
    EXPECT_EQ(entries[1].label, u"Žádná");
    EXPECT_EQ(entries[3].label, u"Kaštanová");
    EXPECT_EQ(entries[3].rgb, 0x800000u);
    EXPECT_EQ(entries[6].label, u"Námořnická modř");
    EXPECT_EQ(entries[6].rgb, 0x000080u);
    EXPECT_EQ(entries[17].label, u"Bílá");
    EXPECT_EQ(entries[17].rgb, 0xFFFFFFu);
    EXPECT_FALSE(entries[0].rgb.has_value());
    EXPECT_FALSE(entries[1].rgb.has_value());
}

TEST(ColorField, ValueTextIsHashAndUpperCaseRedGreenBlue)
{
    EXPECT_EQ(colorFieldValueText(0x800000), u"#800000"_s);
    EXPECT_EQ(colorFieldValueText(0x12ab0f), u"#12AB0F"_s);
    EXPECT_EQ(colorFieldValueText(0), u"#000000"_s);
}

TEST(ColorField, TextSelectsEntry)
{
    struct Case
    {
        QString text;
        quint32 rgb;
        int entry;
    };
    const Case cases[] = {
        {u"red"_s, 0xFF0000, 11},
        {u"#ff0000"_s, 0xFF0000, 11},
        {u"#FF0000"_s, 0xFF0000, 11},
        {u"Navy"_s, 0x000080, 6},
        {u"WHITE"_s, 0xFFFFFF, 17},
        {u"no-such-colour"_s, 0xFFFFFF, 17},
        {u"#123456"_s, 0x123456, 0},
        {u"#12345"_s, 0xFFFFFF, 17},
        {u"#1234567"_s, 0xFFFFFF, 17},
        {u"#12345g"_s, 0xFFFFFF, 17},
        // A number is not a name, and "none" names no colour either.
        {u"255"_s, 0xFFFFFF, 17},
        {u"$0000FF"_s, 0xFFFFFF, 17},
        {u"none"_s, 0xFFFFFF, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const std::optional<ColorRef> color = colorFieldColor(c.text);
        ASSERT_TRUE(color.has_value());
        EXPECT_EQ(rgbOf(*color), c.rgb);
        EXPECT_EQ(colorFieldEntryFor(rgbOf(*color)), c.entry);
    }
}

TEST(ColorField, EmptyTextMeansNoColour)
{
    EXPECT_FALSE(colorFieldColor(u"").has_value());
}

TEST(ColorField, SystemColourNameComesBackAsSystemColour)
{
    const std::optional<ColorRef> color = colorFieldColor(u"btnface");
    ASSERT_TRUE(color.has_value());
    EXPECT_EQ(systemColorOf(*color), SystemColor::BtnFace);
}

} // namespace
} // namespace qw
