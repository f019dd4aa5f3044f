#include "core/settings/SettingsPersistence.h"

#include "FileBytes.h"
#include "core/settings/AppPaths.h"
#include "core/settings/ColorText.h"
#include "core/settings/IniFile.h"
#include "core/settings/UserStore.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class SettingsPersistenceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(m_paths.shippedDataFolder()));
    }

    QJsonObject storedRoot() const
    {
        return QJsonDocument::fromJson(test::readBytes(m_paths.userStoreFile())).object();
    }
    QJsonObject storedValues() const { return storedRoot().value(u"Settings"_s).toObject(); }

    void putStore(const QByteArray& json) const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(m_paths.userStoreFile()).path()));
        ASSERT_TRUE(test::writeBytes(m_paths.userStoreFile(), json));
    }

    AppSettings load() const { return loadSettings(m_store, m_html, m_paths); }
    void save(const AppSettings& s)
    {
        const SettingsSaveResult result = saveSettings(s, m_store, m_html, m_paths);
        ASSERT_TRUE(result.ok());
    }

    QTemporaryDir m_dir;
    AppPaths m_paths{m_dir.filePath(u"app"_s), m_dir.filePath(u"config"_s),
                     m_dir.filePath(u"data"_s), m_dir.filePath(u"tmp"_s)};
    UserStore m_store{m_paths.userStoreFile()};
    IniFile m_html{m_paths.shippedDataFolder() + u"html.dat"_s};
};

TEST_F(SettingsPersistenceTest, FirstStartGivesTheDefaults)
{
    const AppSettings s = load();
    EXPECT_EQ(s.saveFormat, u"WIN"_s);
    EXPECT_EQ(s.defaultExt, u".html"_s);
    EXPECT_EQ(s.fontName, u"Verdana"_s);
    EXPECT_EQ(s.fontSize, 9);
    EXPECT_EQ(s.fontColor, 0x000000u);
    EXPECT_EQ(s.backColor, 0xFFFFFFu);
    EXPECT_EQ(s.tabWidth, 8);
    for (bool flag : {s.statusBar, s.leftPanel, s.tabSet, s.upperTag, s.docFromTemplate,
                      s.lowerFileName, s.relativePath, s.zpetneLomitko})
        EXPECT_TRUE(flag);
    EXPECT_EQ(s.userTagPath, m_dir.filePath(u"app/Data/UserData/Tag"_s));
    EXPECT_TRUE(s.templateHead.isEmpty() && s.templateFoot.isEmpty() && s.filters.isEmpty() &&
                s.browsers.isEmpty() && s.recentFiles.isEmpty());
    EXPECT_EQ(styleOf(s.styles, StyleClass::HtmlKeyword).foreground, 0x800000u);
    EXPECT_TRUE(styleOf(s.styles, StyleClass::HtmlKeyword).bold);
    EXPECT_EQ(styleOf(s.styles, StyleClass::HtmlComment).foreground, 0x008080u);
    EXPECT_TRUE(styleOf(s.styles, StyleClass::HtmlComment).italic);
    for (const ToolBarLayout& bar : s.toolBars)
        EXPECT_EQ(bar, ToolBarLayout{});
    EXPECT_FALSE(QFile::exists(m_paths.userStoreFile())); // loading writes nothing
    EXPECT_FALSE(QFile::exists(m_html.path()));
}

TEST_F(SettingsPersistenceTest, SaveStoresAllSixteenValuesWithTheirTypes)
{
    AppSettings s = load();
    s.userTagPath = u"/somewhere/else"_s; // never stored: the program's folder is
    s.tabSet = false;
    s.fontColor = systemColorRef(SystemColor::WindowText);
    save(s);

    const QJsonObject expected{
        {u"SaveFormat"_s, u"WIN"_s},
        {u"DefaultExt"_s, u".html"_s},
        {u"FontName"_s, u"Verdana"_s},
        {u"FontColor"_s, u"clWindowText"_s},
        {u"FontSize"_s, 9},
        {u"BackColor"_s, u"clWhite"_s},
        {u"TabWidth"_s, 8},
        {u"StatusBar"_s, 1},
        {u"LeftPanel"_s, 1},
        {u"TabSet"_s, 0},
        {u"UpperTag"_s, 1},
        {u"DocFromTemplate"_s, 1},
        {u"LowerFileName"_s, 1},
        {u"RelativePath"_s, 1},
        {u"ZpetneLomitko"_s, 1},
        {u"UserTagPath"_s, m_dir.filePath(u"app/Data/UserData/Tag"_s)},
    };
    EXPECT_EQ(storedValues(), expected);
    EXPECT_FALSE(storedRoot().contains(u"RecentFiles"_s));
}

TEST_F(SettingsPersistenceTest, UserTagPathFollowsWhetherTheProgramFolderCanBeWritten)
{
    // A system-wide installation: the program folder cannot be written (said
    // for it, since file modes do not bind the superuser).
    const QString program = m_paths.programFolder();
    const AppPaths installed(program, m_dir.filePath(u"config"_s), m_dir.filePath(u"data"_s),
                             m_dir.filePath(u"tmp"_s), [program](const QString& path) {
                                 return !(QDir::cleanPath(path) + u'/').startsWith(program) &&
                                        AppPaths::writableOnDisk(path);
                             });
    const QString copy = m_dir.filePath(u"data/Quenwick/Tag"_s);
    const QString beside = m_dir.filePath(u"app/Data/UserData/Tag"_s);
    EXPECT_EQ(defaultSettings(installed).userTagPath, copy);

    struct Case
    {
        const AppPaths& paths;
        QString stored;
        QString loaded;
    };
    // Either default stands for the one the installation uses now; a folder
    // set by hand is kept.
    const Case cases[] = {
        {installed, beside, copy},
        {installed, copy, copy},
        {m_paths, copy, beside},
        {installed, u"/srv/tagy"_s, u"/srv/tagy"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        putStore(
            QJsonDocument(QJsonObject{{u"Settings"_s, QJsonObject{{u"UserTagPath"_s, c.stored}}}})
                .toJson());
        const AppSettings s = loadSettings(m_store, m_html, c.paths);
        EXPECT_EQ(s.userTagPath, c.loaded);
    }
    ASSERT_TRUE(saveSettings(load(), m_store, m_html, installed).ok());
    EXPECT_EQ(storedValues().value(u"UserTagPath"_s), copy);
}

TEST_F(SettingsPersistenceTest, EmptyValuesAreStoredAsTheirDefaults)
{
    AppSettings s = load();
    s.saveFormat.clear();
    s.defaultExt.clear();
    s.fontName.clear();
    s.fontSize = 0;
    s.tabWidth = 0;
    save(s);
    QJsonObject values = storedValues();
    EXPECT_EQ(values.value(u"SaveFormat"_s), u"WIN"_s);
    EXPECT_EQ(values.value(u"DefaultExt"_s), u".html"_s);
    EXPECT_EQ(values.value(u"FontName"_s), u"Verdana"_s);
    EXPECT_EQ(values.value(u"FontSize"_s), 9);
    EXPECT_EQ(values.value(u"TabWidth"_s), 8);

    // Only the empty text is empty; blanks are a value.
    s.saveFormat = u" "_s;
    s.fontSize = -3;
    save(s);
    values = storedValues();
    EXPECT_EQ(values.value(u"SaveFormat"_s), u" "_s);
    EXPECT_EQ(values.value(u"FontSize"_s), -3);
}

TEST_F(SettingsPersistenceTest, EverySettingSurvivesSaveAndLoad)
{
    AppSettings s = load();
    s.saveFormat = u"UNIX"_s;
    s.defaultExt = u".htm"_s;
    s.fontName = u"Courier New"_s;
    s.fontColor = 0x123456;
    s.fontSize = 12;
    s.backColor = systemColorRef(SystemColor::Window);
    s.tabWidth = 4;
    s.statusBar = false; // the status bar hidden at close stays hidden
    s.leftPanel = false;
    s.tabSet = false;
    s.upperTag = false;
    s.docFromTemplate = false;
    s.lowerFileName = false;
    s.relativePath = false;
    s.zpetneLomitko = false;
    s.templateHead = {u"<html>"_s, u"<head><title>Příliš</title></head>"_s};
    s.templateFoot = {u"</html>"_s};
    s.filters = {u"HTML (*.htm)|*.htm;*.html|"_s, u"Vše|*|"_s};
    s.browsers = {{u"Firefox"_s, u"/usr/bin/firefox"_s}, {u"Pipe"_s, u"/opt/a|b"_s}};
    s.recentFiles = {u"/home/u/a.html"_s, u"/home/u/ž.htm"_s};
    s.lastFolder = u"/home/u/stránky"_s;
    // One section holds the four tag-like classes, so only equal ones can
    // come back unchanged.
    HighlightStyle tagLike{0x00FF00, false, 0, true, false, true, false, false};
    for (StyleClass c : {StyleClass::HtmlKeyword, StyleClass::HtmlTag, StyleClass::Bracket,
                         StyleClass::UnknownTag})
        styleOf(s.styles, c) = tagLike;
    styleOf(s.styles, StyleClass::HtmlComment) = {ColorNone, false, 0,     false,
                                                  false,     true,  false, false};
    styleOf(s.styles, StyleClass::ScriptContent).foreground = 0xABCDEF;
    styleOf(s.styles, StyleClass::SpecialChars).bold = true;
    for (std::size_t i = 0; i < ToolBarCount; ++i)
        s.toolBars[i] = {true, i % 2 == 0, i % 3 == 0, int(i) * 10 - 5, int(i) + 2};
    save(s);
    EXPECT_EQ(load(), s);
}

TEST_F(SettingsPersistenceTest, TheKeywordSectionEndsUpWithTheUnknownTagStyle)
{
    AppSettings s = load();
    styleOf(s.styles, StyleClass::HtmlKeyword) = {0x800000, false, 0, true, false, false};
    styleOf(s.styles, StyleClass::HtmlTag) = {0x8000FF, false, 0, false, true, false};
    styleOf(s.styles, StyleClass::UnknownTag) = {0x0000FF, false, 0, false, false, true};
    save(s);
    EXPECT_EQ(m_html.readString(u"HTMLKEYWORD", u"fore"), u"clRed"_s);
    const AppSettings loaded = load();
    for (StyleClass c : {StyleClass::HtmlKeyword, StyleClass::HtmlTag, StyleClass::Bracket,
                         StyleClass::UnknownTag}) {
        EXPECT_EQ(styleOf(loaded.styles, c), styleOf(s.styles, StyleClass::UnknownTag)) << int(c);
    }
}

TEST_F(SettingsPersistenceTest, StylesTakeOnlyTheKeysThatArePresent)
{
    ASSERT_TRUE(test::writeBytes(m_html.path(), "[htmlcomment]\r\nBOLD=1\r\n"
                                                "[HTMLATTRIBUTE]\r\nfore=no colour\r\n"
                                                "italic=yes\r\n"
                                                "[HTMLSCRIPTS]\r\nfore=$00123456\r\n"
                                                "underline=1\r\n"));
    const AppSettings s = load();
    const HighlightStyles defaults = defaultHighlightStyles();

    HighlightStyle comment = styleOf(defaults, StyleClass::HtmlComment);
    comment.bold = true;
    EXPECT_EQ(styleOf(s.styles, StyleClass::HtmlComment), comment);
    EXPECT_EQ(styleOf(s.styles, StyleClass::HtmlAttribute),
              styleOf(defaults, StyleClass::HtmlAttribute));
    HighlightStyle script = styleOf(defaults, StyleClass::ScriptContent);
    script.foreground = 0x123456;
    script.underline = true;
    EXPECT_EQ(styleOf(s.styles, StyleClass::ScriptContent), script);
    EXPECT_EQ(styleOf(s.styles, StyleClass::ScriptTag), styleOf(defaults, StyleClass::ScriptTag));
}

TEST_F(SettingsPersistenceTest, RecentFilesObjectGoesWhenTheListIsEmpty)
{
    putStore(R"({"Settings": {"Extra": "kept"}, "Other": {"x": 1}})");
    AppSettings s = load();
    s.recentFiles = {u"/a.html"_s, u"/b.html"_s};
    save(s);
    EXPECT_EQ(storedRoot().value(u"RecentFiles"_s).toObject(),
              (QJsonObject{{u"file0"_s, u"/a.html"_s}, {u"file1"_s, u"/b.html"_s}}));
    s.recentFiles = {u"/c.html"_s};
    save(s);
    EXPECT_EQ(load().recentFiles, QStringList{u"/c.html"_s});
    s.recentFiles.clear();
    save(s);
    const QJsonObject root = storedRoot();
    EXPECT_FALSE(root.contains(u"RecentFiles"_s));
    // What the program does not know stays in the store.
    EXPECT_EQ(root.value(u"Other"_s).toObject(), (QJsonObject{{u"x"_s, 1}}));
    EXPECT_EQ(root.value(u"Settings"_s).toObject().value(u"Extra"_s), u"kept"_s);
}

TEST_F(SettingsPersistenceTest, LastFolderHasItsOwnObjectThatGoesWhenEmpty)
{
    AppSettings s = load();
    EXPECT_TRUE(s.lastFolder.isEmpty());
    s.lastFolder = u"/home/u/web"_s;
    save(s);
    EXPECT_EQ(storedRoot().value(u"FileDialogs"_s).toObject(),
              (QJsonObject{{u"LastFolder"_s, u"/home/u/web"_s}}));
    EXPECT_FALSE(storedValues().contains(u"LastFolder"_s));
    s.lastFolder.clear();
    save(s);
    EXPECT_FALSE(storedRoot().contains(u"FileDialogs"_s));

    putStore(R"({"FileDialogs": {"LastFolder": 7}})");
    EXPECT_TRUE(load().lastFolder.isEmpty());
}

TEST_F(SettingsPersistenceTest, ShortenedListsDoNotGrowBack)
{
    AppSettings s = load();
    s.templateHead = {u"1"_s, u"2"_s, u"3"_s};
    s.templateFoot = {u"a"_s, u"b"_s};
    s.filters = {u"x|*.x|"_s, u"y|*.y|"_s};
    s.browsers = {{u"A"_s, u"/a"_s}, {u"B"_s, u"/b"_s}, {u"C"_s, u"/c"_s}};
    save(s);
    s.templateHead = {u"only"_s};
    s.templateFoot.clear();
    s.filters = {u"y|*.y|"_s};
    s.browsers.removeAt(1);
    save(s);
    const AppSettings loaded = load();
    EXPECT_EQ(loaded.templateHead, s.templateHead);
    EXPECT_EQ(loaded.templateFoot, s.templateFoot);
    EXPECT_EQ(loaded.filters, s.filters);
    EXPECT_EQ(loaded.browsers, s.browsers);
    EXPECT_FALSE(m_html.valueExists(u"BROWSER", u"browser2"));
}

TEST_F(SettingsPersistenceTest, LivePreviewKeepsItsOwnObject)
{
    AppSettings s = load();
    EXPECT_FALSE(s.livePreview);
    EXPECT_FALSE(s.livePreviewBelow);
    EXPECT_EQ(s.livePreviewShare, 500);
    s.livePreview = true;
    s.livePreviewBelow = true;
    s.livePreviewShare = 640;
    save(s);
    EXPECT_EQ(storedRoot().value(u"LivePreview"_s).toObject(),
              (QJsonObject{{u"Shown"_s, 1}, {u"Below"_s, 1}, {u"Share"_s, 640}}));
    EXPECT_FALSE(storedValues().contains(u"LivePreview"_s));
    const AppSettings back = load();
    EXPECT_TRUE(back.livePreview);
    EXPECT_TRUE(back.livePreviewBelow);
    EXPECT_EQ(back.livePreviewShare, 640);

    // A share that would leave one side with nothing is not taken.
    for (const char* share : {"0", "20", "990", "\"half\"", "4000000000"}) {
        putStore(QByteArray(R"({"LivePreview": {"Shown": 1, "Share": )") + share + "}}");
        EXPECT_EQ(load().livePreviewShare, 500) << share;
        EXPECT_TRUE(load().livePreview) << share;
    }
}

TEST_F(SettingsPersistenceTest, WritingAidsAreOnByDefaultAndEachIsKept)
{
    const AppSettings defaults = load();
    EXPECT_TRUE(defaults.completeMarkup);
    EXPECT_TRUE(defaults.autoCloseTags);
    EXPECT_TRUE(defaults.highlightPartnerTag);
    EXPECT_TRUE(defaults.renamePartnerTag);
    // Each turned off alone comes back off, the others on.
    bool AppSettings::*const aids[] = {&AppSettings::completeMarkup, &AppSettings::autoCloseTags,
                                       &AppSettings::highlightPartnerTag,
                                       &AppSettings::renamePartnerTag};
    for (bool AppSettings::*off : aids) {
        AppSettings s = defaults;
        s.*off = false;
        save(s);
        const AppSettings back = load();
        for (bool AppSettings::*aid : aids)
            EXPECT_EQ(back.*aid, aid != off);
    }
    EXPECT_FALSE(storedValues().contains(u"WritingAids"_s));
    EXPECT_TRUE(storedRoot().value(u"WritingAids"_s).isObject());
}

TEST_F(SettingsPersistenceTest, ValuesOfTheWrongTypeFallBackToTheDefault)
{
    putStore(R"({"Settings": {
        "SaveFormat": 5, "DefaultExt": ".php", "FontName": 7, "FontColor": 255,
        "FontSize": "12", "BackColor": "clNothing", "TabWidth": 4.5, "StatusBar": "0",
        "LeftPanel": 0, "TabSet": false, "UpperTag": 2, "UserTagPath": null},
      "RecentFiles": {"file0": "/a", "file1": 5, "file2": "/c", "file4": "/e"}})");
    const AppSettings s = load();
    EXPECT_EQ(s.saveFormat, u"WIN"_s);
    EXPECT_EQ(s.defaultExt, u".php"_s);
    EXPECT_EQ(s.fontName, u""_s); // unreadable: left empty
    EXPECT_EQ(s.fontColor, 0x000000u);
    EXPECT_EQ(s.fontSize, 9);
    EXPECT_EQ(s.backColor, 0xFFFFFFu);
    EXPECT_EQ(s.tabWidth, 8);
    EXPECT_TRUE(s.statusBar);
    EXPECT_FALSE(s.leftPanel);
    EXPECT_TRUE(s.tabSet);
    EXPECT_TRUE(s.upperTag); // any number but 0
    EXPECT_EQ(s.userTagPath, m_paths.userTagFolder());
    EXPECT_EQ(s.recentFiles, (QStringList{u"/a"_s, u"/c"_s}));

    save(s);
    EXPECT_EQ(storedValues().value(u"FontName"_s), u"Verdana"_s);
}

TEST_F(SettingsPersistenceTest, AStoreThatIsNoJsonObjectReadsAsEmptyAndIsReplaced)
{
    for (const QByteArray& junk : {QByteArray("{\"Settings\": {"), QByteArray("[1, 2]"),
                                   QByteArray("{\"Settings\": [1]}")}) {
        putStore(junk);
        AppSettings s = load();
        EXPECT_EQ(s.fontSize, 9) << junk.constData();
        s.fontSize = 11;
        save(s);
        EXPECT_EQ(load().fontSize, 11) << junk.constData();
    }
}

TEST_F(SettingsPersistenceTest, ToolBarPositionsAreKeptOnlyWhenTheyAreNumbers)
{
    ASSERT_TRUE(test::writeBytes(m_html.path(), "[tbedit]\r\nVisible=0\r\nPARENT=0\r\n"
                                                "LEFT=120\r\nTOP=left\r\n"));
    const AppSettings s = load();
    EXPECT_EQ(s.toolBar(ToolBarId::Edit), (ToolBarLayout{true, false, false, 120, std::nullopt}));
    EXPECT_EQ(s.toolBar(ToolBarId::Script), ToolBarLayout{});

    save(s);
    EXPECT_EQ(m_html.readSection(u"TBEDIT"),
              (QStringList{u"Visible"_s, u"PARENT"_s, u"LEFT"_s, u"TOP"_s}));
    EXPECT_EQ(m_html.readString(u"TBEDIT", u"TOP"), u"left"_s); // unknown stays unknown
    EXPECT_EQ(m_html.readSection(u"TBSCRIPT"), (QStringList{u"VISIBLE"_s, u"Parent"_s}));
}

TEST_F(SettingsPersistenceTest, SavingIntoAMissingFolderReportsTheFailure)
{
    IniFile elsewhere(m_dir.filePath(u"no/such/html.dat"_s));
    const SettingsSaveResult result = saveSettings(load(), m_store, elsewhere, m_paths);
    EXPECT_TRUE(result.userStoreWritten);
    EXPECT_FALSE(result.dataFileWritten);
    EXPECT_FALSE(result.ok());
}

TEST(BrowserEntry, SplitsAtTheFirstBar)
{
    struct Case
    {
        QString text;
        BrowserEntry entry;
        QString written;
    };
    const Case cases[] = {
        {u"Firefox|/usr/bin/firefox"_s, {u"Firefox"_s, u"/usr/bin/firefox"_s}, {}},
        {u"A|/x|y"_s, {u"A"_s, u"/x|y"_s}, {}},
        {u"|/p"_s, {u""_s, u"/p"_s}, {}},
        {u"NoBar"_s, {u"NoBar"_s, u""_s}, u"NoBar|"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(BrowserEntry::fromText(c.text), c.entry);
        EXPECT_EQ(c.entry.toText(), c.written.isEmpty() ? c.text : c.written);
    }
}

TEST(DialogFilterText, JoinsTheFiltersInOrder)
{
    EXPECT_EQ(dialogFilterText({u"HTML|*.htm;*.html|"_s, u"Vše|*|"_s}),
              u"HTML|*.htm;*.html|Vše|*|"_s);
    EXPECT_EQ(dialogFilterText({}), u""_s);
}

} // namespace
} // namespace qw
