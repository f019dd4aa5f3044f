// The shipped html.dat, loaded and saved through the settings store.

#include "core/settings/AppPaths.h"
#include "core/settings/IniFile.h"
#include "core/settings/SettingsPersistence.h"
#include "core/settings/UserStore.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class ShippedHtmlData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        // A copy, so that saving never touches the shipped file.
        ASSERT_TRUE(QDir().mkpath(dataFolder));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QW_SHIPPED_DATA_DIR "/html.dat"),
                                dataFolder + u"html.dat"_s));
        QFile::setPermissions(dataFolder + u"html.dat"_s, QFile::ReadOwner | QFile::WriteOwner);
    }

    AppSettings load() const { return loadSettings(store, htmlDat, paths); }

    QTemporaryDir temp;
    QString root = temp.path() + u'/';
    AppPaths paths{root + u"program/"_s, root + u"config/"_s, root + u"data/"_s, root + u"tmp/"_s};
    QString dataFolder = root + u"program/Data/Settings/"_s;
    UserStore store{paths.userStoreFile()};
    IniFile htmlDat{dataFolder + u"html.dat"_s};
};

TEST_F(ShippedHtmlData, TemplateIsAnHtml401PageInWindows1250)
{
    const AppSettings s = load();
    ASSERT_FALSE(s.templateHead.isEmpty());
    EXPECT_TRUE(s.templateHead.first().startsWith(
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\""_s));
    EXPECT_TRUE(s.templateHead.contains(
        u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"_s));
    EXPECT_EQ(s.templateHead.last(), u"<body>");
    EXPECT_EQ(s.templateFoot, (QStringList{u"</body>"_s, u"</html>"_s}));
}

TEST_F(ShippedHtmlData, FiltersAreNameMaskPairsEndingWithAllFiles)
{
    const AppSettings s = load();
    ASSERT_GE(s.filters.size(), 2);
    for (const QString& filter : s.filters) {
        SCOPED_TRACE(filter.toStdString());
        // "name|mask|": the dialog text is all filters run together, so a
        // missing or extra bar shifts every later name into a mask.
        EXPECT_EQ(filter.count(u'|'), 2);
        EXPECT_TRUE(filter.endsWith(u'|'));
        EXPECT_FALSE(filter.section(u'|', 0, 0).isEmpty());
        EXPECT_FALSE(filter.section(u'|', 1, 1).isEmpty());
    }
    EXPECT_TRUE(s.filters.first().startsWith(u"HTML soubory (*.htm;*.html)|"_s));
    // Read from Windows-1250: the Czech letter must come back as itself.
    EXPECT_EQ(s.filters.last(), u"Všechny soubory (*.*)|*|");
}

TEST_F(ShippedHtmlData, BrowsersAreTheDebianPackages)
{
    const AppSettings s = load();
    EXPECT_EQ(s.browsers, (QList<BrowserEntry>{{u"Firefox ESR"_s, u"/usr/bin/firefox-esr"_s},
                                               {u"Chromium"_s, u"/usr/bin/chromium"_s}}));
}

TEST_F(ShippedHtmlData, StylesAreTheDefaultsWithTheTagNameStyleForAllTagParts)
{
    const AppSettings s = load();
    const HighlightStyles defaults = defaultHighlightStyles();
    // One section colours these four alike; it carries the tag-name style.
    for (StyleClass c : {StyleClass::HtmlKeyword, StyleClass::HtmlTag, StyleClass::Bracket,
                         StyleClass::UnknownTag}) {
        EXPECT_EQ(styleOf(s.styles, c), styleOf(defaults, StyleClass::HtmlKeyword))
            << static_cast<int>(c);
    }
    for (StyleClass c :
         {StyleClass::HtmlAttribute, StyleClass::HtmlAttributeValue, StyleClass::HtmlComment,
          StyleClass::SpecialChars, StyleClass::ScriptContent, StyleClass::ScriptTag,
          StyleClass::DefaultText}) {
        EXPECT_EQ(styleOf(s.styles, c), styleOf(defaults, c)) << static_cast<int>(c);
    }
}

TEST_F(ShippedHtmlData, ToolBarsAreDockedInTwoRows)
{
    const AppSettings s = load();
    QSet<int> tops;
    QSet<QPair<int, int>> places;
    for (const ToolBarLayout& bar : s.toolBars) {
        EXPECT_TRUE(bar.present);
        EXPECT_TRUE(bar.visible);
        EXPECT_TRUE(bar.docked);
        ASSERT_TRUE(bar.left.has_value());
        ASSERT_TRUE(bar.top.has_value());
        tops.insert(*bar.top);
        places.insert({*bar.left, *bar.top});
    }
    EXPECT_EQ(tops.size(), 2);
    EXPECT_EQ(places.size(), static_cast<qsizetype>(ToolBarCount));
    EXPECT_EQ(s.toolBar(ToolBarId::Tool).left, 11);
    EXPECT_EQ(s.toolBar(ToolBarId::Tool).top, 2);
}

// Closing the program right after its first start must not change what the
// next start shows.
TEST_F(ShippedHtmlData, SavingWhatWasLoadedKeepsEverything)
{
    const AppSettings first = load();
    ASSERT_TRUE(saveSettings(first, store, htmlDat, paths).ok());
    const AppSettings second = load();
    EXPECT_EQ(second.templateHead, first.templateHead);
    EXPECT_EQ(second.templateFoot, first.templateFoot);
    EXPECT_EQ(second.filters, first.filters);
    EXPECT_EQ(second.browsers, first.browsers);
    EXPECT_EQ(second.styles, first.styles);
    EXPECT_EQ(second.toolBars, first.toolBars);
}

} // namespace
} // namespace qw
