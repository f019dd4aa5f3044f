#include "core/settings/SettingsEdits.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(SettingsEditsTest, DefaultExtGetsItsLeadingPointOnce)
{
    const struct
    {
        QString field;
        QString stored;
    } cases[] = {
        {u"htm"_s, u".htm"_s},   {u".htm"_s, u".htm"_s}, {QString(), QString()},
        {u" htm"_s, u". htm"_s}, {u"."_s, u"."_s},       {u"tar.gz"_s, u".tar.gz"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalizedDefaultExt(c.field), c.stored) << c.field.toStdString();
}

TEST(SettingsEditsTest, FilterRowsSplitAtTheFirstBarAndLoseTheClosingOne)
{
    const struct
    {
        QString text;
        FilterRow row;
    } cases[] = {
        {u"Web|*.htm;*.html|"_s, {u"Web"_s, u"*.htm;*.html"_s}},
        {u"a|b|c|"_s, {u"a"_s, u"b|c"_s}},
        {u"Jen název"_s, {u"Jen název"_s, QString()}},
        {u"Bez konce|*.txt"_s, {u"Bez konce"_s, u"*.tx"_s}},
        {u"|"_s, {QString(), QString()}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilterRow::fromText(c.text), c.row) << c.text.toStdString();
    EXPECT_EQ((FilterRow{u"Web"_s, u"*.htm;*.html"_s}).toText(), u"Web|*.htm;*.html|"_s);
    // A row read back and written again is the stored text.
    EXPECT_EQ(FilterRow::fromText(u"a|b|c|"_s).toText(), u"a|b|c|"_s);
}

TEST(SettingsEditsTest, MovingStopsAtBothEndsAndFollowsTheRow)
{
    const QStringList start = {u"a"_s, u"b"_s, u"c"_s};
    const struct
    {
        qsizetype index;
        int delta;
        qsizetype after;
        QStringList rows;
    } cases[] = {
        {0, -1, 0, start},
        {2, +1, 2, start},
        {0, +1, 1, {u"b"_s, u"a"_s, u"c"_s}},
        {2, -1, 1, {u"a"_s, u"c"_s, u"b"_s}},
        {-1, +1, -1, start}, // no row selected
        {3, -1, 3, start},
    };
    for (const auto& c : cases) {
        QStringList rows = start;
        EXPECT_EQ(moveRow(rows, c.index, c.delta), c.after) << c.index << " " << c.delta;
        EXPECT_EQ(rows, c.rows) << c.index << " " << c.delta;
    }
}

TEST(SettingsEditsTest, TagEntryChangesEveryTagStyleAndNothingElse)
{
    const auto entries = styleEntries();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].caption, u"HTML Tagy"_s);
    EXPECT_EQ(entries[0].shown, StyleClass::HtmlTag);

    HighlightStyles styles = defaultHighlightStyles();
    const HighlightStyles before = styles;
    applyStyleEntry(styles, entries[0], 0x00FF00, false, false, true);
    for (std::size_t i = 0; i < StyleClassCount; ++i) {
        const auto c = static_cast<StyleClass>(i);
        const bool tagClass = c == StyleClass::HtmlTag || c == StyleClass::HtmlKeyword ||
                              c == StyleClass::Bracket || c == StyleClass::UnknownTag;
        if (tagClass) {
            EXPECT_EQ(styles[i].foreground, 0x00FF00u) << i;
            EXPECT_FALSE(styles[i].bold) << i;
            EXPECT_FALSE(styles[i].italic) << i;
            EXPECT_TRUE(styles[i].underline) << i;
        } else {
            EXPECT_EQ(styles[i], before[i]) << i;
        }
    }
}

TEST(SettingsEditsTest, ScriptEntryShowsTheContentAndChangesTheTagToo)
{
    const StyleEntry& scripts = styleEntries()[4];
    EXPECT_EQ(scripts.caption, u"Skripty"_s);
    EXPECT_EQ(scripts.shown, StyleClass::ScriptContent);
    HighlightStyles styles = defaultHighlightStyles();
    styleOf(styles, StyleClass::ScriptTag).hasBackground = true;
    applyStyleEntry(styles, scripts, 0x123456, true, true, false);
    EXPECT_EQ(styleOf(styles, StyleClass::ScriptTag).foreground, 0x123456u);
    EXPECT_EQ(styleOf(styles, StyleClass::ScriptContent).foreground, 0x123456u);
    EXPECT_TRUE(styleOf(styles, StyleClass::ScriptContent).italic);
    // Parts the page does not show stay.
    EXPECT_TRUE(styleOf(styles, StyleClass::ScriptTag).hasBackground);
}

} // namespace
} // namespace qw
