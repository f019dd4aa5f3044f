#include "core/settings/FileAssociation.h"

#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(FileAssociationTest, ExtensionsHaveTheDesktopsTypes)
{
    EXPECT_EQ(mimeTypeOfExtension(u".htm"_s), u"text/html"_s);
    EXPECT_EQ(mimeTypeOfExtension(u".html"_s), u"text/html"_s);
    EXPECT_EQ(mimeTypeOfExtension(u"css"_s), u"text/css"_s);
    EXPECT_EQ(mimeTypeOfExtension(u".txt"_s), u"text/plain"_s);
    EXPECT_EQ(mimeTypeOfExtension(u".qwnotatype"_s), QString());
}

TEST(FileAssociationTest, ExecQuotesOnlyWhatNeedsIt)
{
    const struct
    {
        QString program;
        QString exec;
    } cases[] = {
        {u"/usr/bin/quenwick"_s, u"/usr/bin/quenwick %F"_s},
        {u"/opt/my apps/quenwick"_s, u"\"/opt/my apps/quenwick\" %F"_s},
        // Inside quotes "$" gets a backslash, which the string escape doubles.
        {u"/opt/a$b/quenwick"_s, u"\"/opt/a\\\\$b/quenwick\" %F"_s},
        {u"/opt/100%/quenwick"_s, u"/opt/100%%/quenwick %F"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktopExecLine(c.program), c.exec) << c.program.toStdString();
}

TEST(FileAssociationTest, EntryNamesProgramIconAndTypes)
{
    const QString text = desktopEntryText(u"/usr/bin/quenwick"_s, {u"text/html"_s, u"text/css"_s});
    EXPECT_TRUE(text.startsWith(u"[Desktop Entry]\n"_s));
    EXPECT_TRUE(text.contains(u"\nExec=/usr/bin/quenwick %F\n"_s));
    EXPECT_TRUE(text.contains(u"\nIcon=quenwick\n"_s));
    EXPECT_TRUE(text.contains(u"\nMimeType=text/html;text/css;\n"_s));
    EXPECT_EQ(desktopEntryMimeTypes(text), QStringList({u"text/html"_s, u"text/css"_s}));
}

TEST(FileAssociationTest, MimeAppsKeepsEveryOtherLine)
{
    const QString before = u"# mine\n"
                           "[Added Associations]\n"
                           "image/png=viewer.desktop;\n"
                           "text/html=browser.desktop;\n"
                           "\n"
                           "[Default Applications]\n"
                           "text/html=browser.desktop\n"
                           "image/png=viewer.desktop\n"
                           "\n"
                           "[Removed Associations]\n"
                           "text/plain=other.desktop;\n"_s;
    const QString after =
        mimeAppsWithDefaults(before, {u"text/html"_s, u"text/css"_s}, u"quenwick.desktop"_s);
    const QString expected = u"# mine\n"
                             "[Added Associations]\n"
                             "image/png=viewer.desktop;\n"
                             "text/html=quenwick.desktop;browser.desktop;\n"
                             "text/css=quenwick.desktop;\n"
                             "\n"
                             "[Default Applications]\n"
                             "text/html=quenwick.desktop;browser.desktop;\n"
                             "image/png=viewer.desktop\n"
                             "text/css=quenwick.desktop;\n"
                             "\n"
                             "[Removed Associations]\n"
                             "text/plain=other.desktop;\n"_s;
    EXPECT_EQ(after, expected);
    // Once more changes nothing.
    EXPECT_EQ(mimeAppsWithDefaults(after, {u"text/html"_s}, u"quenwick.desktop"_s), after);
}

TEST(FileAssociationTest, MimeAppsMadeFromNothing)
{
    EXPECT_EQ(mimeAppsWithDefaults(QString(), {u"text/html"_s}, u"quenwick.desktop"_s),
              u"[Default Applications]\n"
              "text/html=quenwick.desktop;\n"
              "\n"
              "[Added Associations]\n"
              "text/html=quenwick.desktop;\n"_s);
}

class AssociationOnDiskTest : public testing::Test
{
protected:
    QString config() const { return m_dir.filePath(u"config"_s); }
    QString data() const { return m_dir.filePath(u"data"_s); }
    QString mimeApps() const { return config() + u"/mimeapps.list"_s; }
    QString entry() const { return data() + u"/applications/quenwick.desktop"_s; }

    QTemporaryDir m_dir;
};

TEST_F(AssociationOnDiskTest, WritesEntryAndDefaultsAndKeepsEarlierTypes)
{
    // The desktop's tools pass over an entry whose program is missing, and
    // would then report whatever else the machine has for the type.
    const QString program = m_dir.filePath(u"bin/quenwick"_s);
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(u"bin"_s)));
    ASSERT_TRUE(test::writeBytes(program, "#!/bin/sh\n"));
    ASSERT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner |
                                                   QFile::ExeOwner | QFile::ExeUser));
    ASSERT_TRUE(QDir().mkpath(config()));
    ASSERT_TRUE(test::writeBytes(mimeApps(), "[Default Applications]\nimage/png=viewer.desktop\n"));
    AssociationResult r = associateFileTypes(config(), data(), program, {u".htm"_s, u".html"_s});
    ASSERT_TRUE(r.ok) << r.failedPath.toStdString();
    EXPECT_EQ(r.mimeTypes, QStringList{u"text/html"_s});
    EXPECT_EQ(r.desktopEntryPath, entry());
    r = associateFileTypes(config(), data(), program, {u".css"_s, u".vtm"_s});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.unknownExtensions, QStringList{u".vtm"_s});

    const QString entryText = QString::fromUtf8(test::readBytes(entry()));
    EXPECT_EQ(desktopEntryMimeTypes(entryText), QStringList({u"text/html"_s, u"text/css"_s}));
    EXPECT_TRUE(entryText.contains(u"\nExec="_s + program + u" %F\n"_s)) << entryText.toStdString();
    const QString list = QString::fromUtf8(test::readBytes(mimeApps()));
    EXPECT_TRUE(list.startsWith(u"[Default Applications]\nimage/png=viewer.desktop\n"
                                "text/html=quenwick.desktop;\ntext/css=quenwick.desktop;\n"_s))
        << list.toStdString();

    // The desktop's own tools agree, when they are there.
    const QString validate = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
    if (!validate.isEmpty()) {
        QProcess check;
        check.start(validate, {entry()});
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
        EXPECT_EQ(check.readAllStandardOutput(), QByteArray());
    }
    const QString xdgMime = QStandardPaths::findExecutable(u"xdg-mime"_s);
    if (xdgMime.isEmpty())
        return;
    QProcess query;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, config());
    env.insert(u"XDG_DATA_HOME"_s, data());
    for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "XDG_CONFIG_DIRS"})
        env.remove(QString::fromLatin1(name));
    query.setProcessEnvironment(env);
    query.start(xdgMime, {u"query"_s, u"default"_s, u"text/html"_s});
    ASSERT_TRUE(query.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(query.readAllStandardOutput()).trimmed(), u"quenwick.desktop"_s);
}

TEST_F(AssociationOnDiskTest, AFileInThePlaceOfAFolderFailsAndNamesIt)
{
    // A regular file where the applications folder belongs: fails for root too.
    ASSERT_TRUE(QDir().mkpath(data()));
    ASSERT_TRUE(test::writeBytes(data() + u"/applications"_s, "not a folder"));
    const AssociationResult r =
        associateFileTypes(config(), data(), u"/opt/q/quenwick"_s, {u".htm"_s});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedPath, entry());
    EXPECT_FALSE(QFile::exists(mimeApps()));

    // A folder where mimeapps.list belongs.
    ASSERT_TRUE(QDir().mkpath(mimeApps()));
    QFile::remove(data() + u"/applications"_s);
    const AssociationResult second =
        associateFileTypes(config(), data(), u"/opt/q/quenwick"_s, {u".htm"_s});
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.failedPath, mimeApps());
}

} // namespace
} // namespace qw
