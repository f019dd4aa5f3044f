#include "core/settings/AppPaths.h"

#include "FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(AppPaths, FollowsTheXdgVariablesWhenAbsolute)
{
    struct Case
    {
        QStringList env;
        QString store;
        QString userData;
        QString temp;
        QString userTags;
    };
    const Case cases[] = {
        {{u"HOME=/home/u"_s},
         u"/home/u/.config/Quenwick/settings.json"_s,
         u"/home/u/.local/share/Quenwick/Settings/"_s,
         u"/tmp/"_s,
         u"/home/u/.local/share/Quenwick/Tag"_s},
        {{u"HOME=/home/u"_s, u"XDG_CONFIG_HOME=/c"_s, u"XDG_DATA_HOME=/d/"_s, u"TMPDIR=/t"_s},
         u"/c/Quenwick/settings.json"_s,
         u"/d/Quenwick/Settings/"_s,
         u"/t/"_s,
         u"/d/Quenwick/Tag"_s},
        {{u"HOME=/home/u"_s, u"XDG_CONFIG_HOME=rel"_s, u"XDG_DATA_HOME=rel"_s, u"TMPDIR=rel"_s},
         u"/home/u/.config/Quenwick/settings.json"_s,
         u"/home/u/.local/share/Quenwick/Settings/"_s,
         u"/tmp/"_s,
         u"/home/u/.local/share/Quenwick/Tag"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.env.join(u' ').toStdString());
        QProcessEnvironment env;
        for (const QString& pair : c.env)
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        const AppPaths paths = AppPaths::fromEnvironment(u"/opt/quenwick"_s, env);
        EXPECT_EQ(paths.userStoreFile(), c.store);
        EXPECT_EQ(paths.userDataFolder(), c.userData);
        EXPECT_EQ(paths.tempFolder(), c.temp);
        EXPECT_EQ(paths.programFolder(), u"/opt/quenwick/"_s);
        EXPECT_EQ(paths.shippedDataFolder(), u"/opt/quenwick/Data/Settings/"_s);
        EXPECT_EQ(paths.tagDefinitionsFile(), u"/opt/quenwick/Data/Settings/tag.dat"_s);
        EXPECT_EQ(paths.shippedUserTagFolder(), u"/opt/quenwick/Data/UserData/Tag"_s);
        EXPECT_EQ(paths.userTagCopyFolder(), c.userTags);
    }
}

TEST(AppPaths, WritableOnDiskAsksTheSystem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(u"file"_s);
    ASSERT_TRUE(test::writeBytes(file, "x"));
    struct Case
    {
        QString path;
        bool writable;
    };
    // Only places no user can write, the superuser included.
    const Case cases[] = {
        {dir.path(), true},
        {file, true},
        {dir.filePath(u"missing"_s), false},
        {file + u"/below"_s, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(AppPaths::writableOnDisk(c.path), c.writable);
    }
}

class AppPathsDataFolderTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(m_paths.shippedDataFolder()));
        ASSERT_TRUE(test::writeBytes(m_paths.shippedDataFolder() + u"html.dat"_s, "[A]\r\n"));
        ASSERT_TRUE(test::writeBytes(m_paths.shippedDataFolder() + u"tag.dat"_s, "[!A]\r\n"));
    }

    // The same places with a program folder that cannot be written, as after
    // a system-wide installation. File modes do not bind the superuser the
    // tests may run as, so this answer stands in for the system's inside the
    // program folder; every other place is asked of the disk.
    AppPaths readOnlyInstallation() const
    {
        const QString program = m_paths.programFolder();
        return AppPaths(program, m_dir.filePath(u"config"_s), m_dir.filePath(u"data"_s),
                        m_dir.filePath(u"tmp"_s), [program](const QString& path) {
                            return !(QDir::cleanPath(path) + u'/').startsWith(program) &&
                                   AppPaths::writableOnDisk(path);
                        });
    }

    QTemporaryDir m_dir;
    AppPaths m_paths{m_dir.filePath(u"app"_s), m_dir.filePath(u"config"_s),
                     m_dir.filePath(u"data"_s), m_dir.filePath(u"tmp"_s)};
};

TEST_F(AppPathsDataFolderTest, UsesTheShippedFolderWhenItCanBeWritten)
{
    EXPECT_EQ(m_paths.resolveDataFolder(), m_paths.shippedDataFolder());
    EXPECT_EQ(m_paths.tagDefinitionsFile(), m_paths.shippedDataFolder() + u"tag.dat"_s);
    EXPECT_FALSE(QFileInfo::exists(m_paths.userDataFolder()));
}

TEST_F(AppPathsDataFolderTest, SeedsTheUserCopyOfHtmlDatOnceAndNeverOverwritesIt)
{
    const QString user = m_paths.userDataFolder();
    EXPECT_EQ(m_paths.prepareUserDataFolder(), user);
    EXPECT_EQ(test::readBytes(user + u"html.dat"_s), QByteArray("[A]\r\n"));
    EXPECT_TRUE(QFileInfo(user + u"html.dat"_s).permissions() & QFile::WriteOwner);
    // tag.dat is never written, so it is never copied.
    EXPECT_FALSE(QFileInfo::exists(user + u"tag.dat"_s));

    ASSERT_TRUE(test::writeBytes(user + u"html.dat"_s, "[A]\r\nmine=1\r\n"));
    m_paths.prepareUserDataFolder();
    EXPECT_EQ(test::readBytes(user + u"html.dat"_s), QByteArray("[A]\r\nmine=1\r\n"));
    ASSERT_TRUE(QFile::remove(user + u"html.dat"_s));
    m_paths.prepareUserDataFolder();
    EXPECT_EQ(test::readBytes(user + u"html.dat"_s), QByteArray("[A]\r\n"));
}

TEST_F(AppPathsDataFolderTest, FallsBackToTheUserCopyWhenTheShippedFolderCannotBeWritten)
{
    const QString shipped = m_paths.shippedDataFolder();
    struct Case
    {
        const char* name;
        std::function<void()> arrange;
        bool readOnly;
        QByteArray userHtmlDat;
    };
    const Case cases[] = {
        {"shipped folder missing", [&] { ASSERT_TRUE(QDir(shipped).removeRecursively()); }, false,
         "<missing>"},
        {"a file where the folder belongs",
         [&] {
             ASSERT_TRUE(QDir(shipped).removeRecursively());
             ASSERT_TRUE(test::writeBytes(QDir::cleanPath(shipped), "x"));
         },
         false, "<missing>"},
        {"a folder where html.dat belongs",
         [&] {
             ASSERT_TRUE(QFile::remove(shipped + u"html.dat"_s));
             ASSERT_TRUE(QDir().mkpath(shipped + u"html.dat/"_s));
         },
         false, "<missing>"},
        {"read-only installation", [] {}, true, "[A]\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(m_dir.filePath(u"app"_s)).removeRecursively());
        ASSERT_TRUE(QDir(m_dir.filePath(u"data"_s)).removeRecursively());
        SetUp();
        c.arrange();
        const AppPaths paths = c.readOnly ? readOnlyInstallation() : m_paths;
        EXPECT_EQ(paths.resolveDataFolder(), paths.userDataFolder());
        EXPECT_TRUE(QFileInfo(paths.userDataFolder()).isDir());
        EXPECT_EQ(test::readBytes(paths.userDataFolder() + u"html.dat"_s), c.userHtmlDat);
    }
}

TEST_F(AppPathsDataFolderTest, TagDefinitionsAreAlwaysReadBesideTheProgram)
{
    // A per-user copy left by an older version is stale, not preferred.
    const AppPaths installed = readOnlyInstallation();
    ASSERT_TRUE(QDir().mkpath(installed.userDataFolder()));
    ASSERT_TRUE(test::writeBytes(installed.userDataFolder() + u"tag.dat"_s, "[!OLD]\r\n"));
    EXPECT_EQ(installed.resolveDataFolder(), installed.userDataFolder());
    EXPECT_EQ(installed.tagDefinitionsFile(), m_paths.shippedDataFolder() + u"tag.dat"_s);
    EXPECT_EQ(test::readBytes(installed.tagDefinitionsFile()), QByteArray("[!A]\r\n"));

    // Nor does a tag.dat that cannot be written move html.dat away.
    const QString tagDat = m_paths.tagDefinitionsFile();
    const AppPaths lockedTagDat(
        m_paths.programFolder(), m_dir.filePath(u"config"_s), m_dir.filePath(u"data"_s),
        m_dir.filePath(u"tmp"_s),
        [tagDat](const QString& path) { return path != tagDat && AppPaths::writableOnDisk(path); });
    EXPECT_EQ(lockedTagDat.resolveDataFolder(), m_paths.shippedDataFolder());
}

TEST_F(AppPathsDataFolderTest, UserTagsStayBesideTheProgramOnlyWhenItsFolderCanBeWritten)
{
    const QString userData = m_dir.filePath(u"app/Data/UserData"_s);
    struct Case
    {
        const char* name;
        std::function<void()> arrange;
        bool readOnly;
        bool besideTheProgram;
    };
    const Case cases[] = {
        // Made by the store on first use.
        {"tag folder not made yet", [] {}, false, true},
        {"tag folder there", [&] { ASSERT_TRUE(QDir().mkpath(userData + u"/Tag"_s)); }, false,
         true},
        {"a file where a folder belongs",
         [&] {
             ASSERT_TRUE(QDir().mkpath(m_dir.filePath(u"app/Data"_s)));
             ASSERT_TRUE(test::writeBytes(userData, "x"));
         },
         false, false},
        {"read-only installation", [&] { ASSERT_TRUE(QDir().mkpath(userData + u"/Tag"_s)); }, true,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(m_dir.filePath(u"app"_s)).removeRecursively());
        ASSERT_TRUE(QDir(m_dir.filePath(u"data"_s)).removeRecursively());
        SetUp();
        c.arrange();
        const AppPaths paths = c.readOnly ? readOnlyInstallation() : m_paths;
        const QString expected =
            c.besideTheProgram ? paths.shippedUserTagFolder() : paths.userTagCopyFolder();
        EXPECT_EQ(paths.userTagFolder(), expected);
        EXPECT_EQ(paths.resolveUserTagFolder(), expected);
        // The copy is made only when it is the one used.
        EXPECT_EQ(QFileInfo(paths.userTagCopyFolder()).isDir(), !c.besideTheProgram);
    }
}

TEST_F(AppPathsDataFolderTest, SeedsTheUserTagCopyOnceWithTheShippedTags)
{
    const AppPaths installed = readOnlyInstallation();
    const QString shipped = installed.shippedUserTagFolder();
    ASSERT_TRUE(QDir().mkpath(shipped + u"/Web"_s));
    ASSERT_TRUE(QDir().mkpath(shipped + u"/Prázdná"_s));
    ASSERT_TRUE(test::writeBytes(shipped + u"/Web/odkaz.qws"_s, "<a href=\"\">"));
    ASSERT_TRUE(test::writeBytes(shipped + u"/Web/odkaz.qwe"_s, "</a>\r\n"));
    ASSERT_TRUE(QFile::setPermissions(shipped + u"/Web/odkaz.qws"_s, QFile::ReadOwner));

    const QString copy = installed.userTagCopyFolder();
    ASSERT_EQ(installed.resolveUserTagFolder(), copy);
    EXPECT_EQ(test::readBytes(copy + u"/Web/odkaz.qws"_s), QByteArray("<a href=\"\">"));
    EXPECT_EQ(test::readBytes(copy + u"/Web/odkaz.qwe"_s), QByteArray("</a>\r\n"));
    EXPECT_TRUE(QFileInfo(copy + u"/Prázdná"_s).isDir());
    // The user's copy is the user's to change, whatever the shipped modes.
    EXPECT_TRUE(QFileInfo(copy + u"/Web/odkaz.qws"_s).permissions() & QFile::WriteOwner);
    // Nothing but the copy is left beside it.
    EXPECT_EQ(QDir(QFileInfo(copy).path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{u"Tag"_s});

    // What the user removed stays removed: the copy is made only once.
    ASSERT_TRUE(QDir(copy + u"/Web"_s).removeRecursively());
    ASSERT_TRUE(QDir(copy + u"/Prázdná"_s).removeRecursively());
    EXPECT_EQ(installed.resolveUserTagFolder(), copy);
    EXPECT_TRUE(QDir(copy).isEmpty());
}

TEST_F(AppPathsDataFolderTest, WithoutShippedTagsTheUserTagCopyStartsEmpty)
{
    const AppPaths installed = readOnlyInstallation();
    ASSERT_EQ(installed.resolveUserTagFolder(), installed.userTagCopyFolder());
    EXPECT_TRUE(QFileInfo(installed.userTagCopyFolder()).isDir());
    EXPECT_TRUE(QDir(installed.userTagCopyFolder()).isEmpty());
}

} // namespace
} // namespace qw
