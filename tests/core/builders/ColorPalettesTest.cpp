#include "core/builders/ColorPalettes.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(ColorPalettes, SizesAndGridRows)
{
    struct Case
    {
        PaletteKind kind;
        qsizetype entries;
        int rows;
        int cellsInLastRow;
    };
    const Case cases[] = {
        {PaletteKind::System, 216, 14, 8},
        {PaletteKind::Sixteen, 16, 1, 16},
        {PaletteKind::Greys, 256, 16, 16},
        {PaletteKind::Safe, 216, 14, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        const qsizetype n = paletteColors(c.kind).size();
        ASSERT_EQ(n, c.entries);
        ASSERT_EQ(paletteRowCount(n), c.rows);
        const int last = c.rows - 1;
        for (int column = 0; column < kPaletteColumns; ++column) {
            EXPECT_EQ(paletteEntryIndex(last, column, n).has_value(), column < c.cellsInLastRow)
                << "column " << column;
        }
        EXPECT_FALSE(paletteEntryIndex(c.rows, 0, n).has_value());
    }
    EXPECT_EQ(paletteEntryIndex(2, 3, 216), qsizetype(35));
    EXPECT_FALSE(paletteEntryIndex(0, kPaletteColumns, 216).has_value());
}

TEST(ColorPalettes, OrderOfComponents)
{
    const auto texts = [](PaletteKind kind, int count) {
        QStringList out;
        for (int i = 0; i < count; ++i)
            out << paletteEntryText(paletteColors(kind).at(i));
        return out;
    };
    EXPECT_EQ(texts(PaletteKind::System, 3), (QStringList{u"0 0 0"_s, u"51 0 0"_s, u"102 0 0"_s}));
    EXPECT_EQ(paletteEntryText(paletteColors(PaletteKind::System).at(6)), u"0 51 0"_s);
    EXPECT_EQ(paletteEntryText(paletteColors(PaletteKind::System).at(36)), u"0 0 51"_s);
    EXPECT_EQ(texts(PaletteKind::Safe, 3), (QStringList{u"0 0 0"_s, u"0 0 51"_s, u"0 0 102"_s}));
    EXPECT_EQ(paletteEntryText(paletteColors(PaletteKind::Safe).at(6)), u"51 0 0"_s);
    EXPECT_EQ(paletteEntryText(paletteColors(PaletteKind::Safe).at(36)), u"0 51 0"_s);
    EXPECT_EQ(paletteEntryText(paletteColors(PaletteKind::Greys).at(200)), u"200 200 200"_s);
    EXPECT_EQ(paletteEntryText(paletteColors(PaletteKind::Sixteen).at(7)), u"192 192 192"_s);
    EXPECT_EQ(paletteColors(PaletteKind::System).last(), (PaletteColor{255, 255, 255}));
    EXPECT_EQ(paletteColors(PaletteKind::Safe).last(), (PaletteColor{255, 255, 255}));
}

TEST(ColorPalettes, EveryCubeColourAppearsOnceInBothOrders)
{
    for (PaletteKind kind : {PaletteKind::System, PaletteKind::Safe}) {
        QSet<QString> seen;
        for (const PaletteColor& c : paletteColors(kind))
            seen.insert(paletteEntryText(c));
        EXPECT_EQ(seen.size(), 216);
    }
}

TEST(ColorPalettes, HoverCodeIsUpperCaseHex)
{
    EXPECT_EQ(paletteColorCode(paletteColors(PaletteKind::Sixteen).at(1)), u"#800000"_s);
    struct Case
    {
        QString entry;
        QString code;
    };
    const Case cases[] = {
        {u"0 0 0"_s, u"#000000"_s},
        {u"204 153 255"_s, u"#CC99FF"_s},
        {u"10 11 12"_s, u"#0A0B0C"_s},
    };
    for (const Case& c : cases) {
        const auto color = parsePaletteEntry(c.entry);
        ASSERT_TRUE(color.has_value()) << c.entry.toStdString();
        EXPECT_EQ(paletteColorCode(*color), c.code);
        EXPECT_EQ(paletteEntryText(*color), c.entry);
    }
    for (const QString& bad : {u""_s, u"1 2"_s, u"1  2 3"_s, u"1 2 256"_s, u"a b c"_s})
        EXPECT_FALSE(parsePaletteEntry(bad).has_value()) << bad.toStdString();
}

TEST(ColorPalettes, SelectorNames)
{
    EXPECT_EQ(paletteNames(), (QStringList{u"Systémová paleta"_s, u"16 barev"_s, u"Odstíny šedi"_s,
                                           u"Bezpečné barvy"_s}));
}

} // namespace
} // namespace qw
