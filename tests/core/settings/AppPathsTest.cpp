#include "core/settings/AppPaths.h"

#include "FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

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
    };
    const Case cases[] = {
        {{u"HOME=/home/u"_s},
         u"/home/u/.config/Quenwick/settings.json"_s,
         u"/home/u/.local/share/Quenwick/Settings/"_s,
         u"/tmp/"_s},
        {{u"HOME=/home/u"_s, u"XDG_CONFIG_HOME=/c"_s, u"XDG_DATA_HOME=/d/"_s, u"TMPDIR=/t"_s},
         u"/c/Quenwick/settings.json"_s,
         u"/d/Quenwick/Settings/"_s,
         u"/t/"_s},
        {{u"HOME=/home/u"_s, u"XDG_CONFIG_HOME=rel"_s, u"XDG_DATA_HOME=rel"_s, u"TMPDIR=rel"_s},
         u"/home/u/.config/Quenwick/settings.json"_s,
         u"/home/u/.local/share/Quenwick/Settings/"_s,
         u"/tmp/"_s},
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
        EXPECT_EQ(paths.userTagFolder(), u"/opt/quenwick/Data/UserData/Tag"_s);
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

    QTemporaryDir m_dir;
    AppPaths m_paths{m_dir.filePath(u"app"_s), m_dir.filePath(u"config"_s),
                     m_dir.filePath(u"data"_s), m_dir.filePath(u"tmp"_s)};
};

TEST_F(AppPathsDataFolderTest, UsesTheShippedFolderWhenItCanBeWritten)
{
    EXPECT_EQ(m_paths.resolveDataFolder(), m_paths.shippedDataFolder());
    EXPECT_FALSE(QFileInfo::exists(m_paths.userDataFolder()));
}

TEST_F(AppPathsDataFolderTest, SeedsTheUserCopyOnceAndNeverOverwritesIt)
{
    const QString user = m_paths.userDataFolder();
    EXPECT_EQ(m_paths.prepareUserDataFolder(), user);
    EXPECT_EQ(test::readBytes(user + u"html.dat"_s), QByteArray("[A]\r\n"));
    EXPECT_EQ(test::readBytes(user + u"tag.dat"_s), QByteArray("[!A]\r\n"));
    EXPECT_TRUE(QFileInfo(user + u"html.dat"_s).permissions() & QFile::WriteOwner);

    ASSERT_TRUE(test::writeBytes(user + u"html.dat"_s, "[A]\r\nmine=1\r\n"));
    ASSERT_TRUE(QFile::remove(user + u"tag.dat"_s));
    m_paths.prepareUserDataFolder();
    EXPECT_EQ(test::readBytes(user + u"html.dat"_s), QByteArray("[A]\r\nmine=1\r\n"));
    EXPECT_EQ(test::readBytes(user + u"tag.dat"_s), QByteArray("[!A]\r\n"));
}

TEST_F(AppPathsDataFolderTest, FallsBackToTheUserCopyWhenTheShippedFolderIsMissing)
{
    ASSERT_TRUE(QDir(m_paths.shippedDataFolder()).removeRecursively());
    EXPECT_EQ(m_paths.resolveDataFolder(), m_paths.userDataFolder());
    EXPECT_TRUE(QFileInfo(m_paths.userDataFolder()).isDir());
}

TEST_F(AppPathsDataFolderTest, FallsBackToTheUserCopyWhenTheShippedFileIsReadOnly)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "file modes do not bind the superuser";
    const QString html = m_paths.shippedDataFolder() + u"html.dat"_s;
    ASSERT_TRUE(QFile::setPermissions(html, QFile::ReadOwner));
    EXPECT_EQ(m_paths.resolveDataFolder(), m_paths.userDataFolder());
    EXPECT_EQ(test::readBytes(m_paths.userDataFolder() + u"html.dat"_s), QByteArray("[A]\r\n"));
}

} // namespace
} // namespace qw
