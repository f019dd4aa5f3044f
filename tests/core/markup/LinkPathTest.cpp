#include "core/markup/LinkPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// A saved document at <tmp>/home/jana/web/index.html; targets need not exist.
class LinkPath : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"home/jana/web"_s));
        QFile file(root() + u"/web/index.html"_s);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString root() const { return m_dir.path() + u"/home/jana"_s; }
    QString document() const { return root() + u"/web/index.html"_s; }

    QTemporaryDir m_dir;
};

TEST_F(LinkPath, RelativeToTheDocumentsFolder)
{
    const LinkOptions all;
    struct Case
    {
        QString target;
        QString expected;
    };
    const Case cases[] = {
        {u"/web/img/Logo.GIF"_s, u"img/logo.gif"_s},
        {u"/web/Logo.GIF"_s, u"logo.gif"_s},
        {u"/web/a/b/c.html"_s, u"a/b/c.html"_s},
        {u"/foto/Léto/ŽLUŤOUČKÝ.JPG"_s, u"../foto/léto/žluťoučký.jpg"_s},
        // Folders are compared whole, not as text prefixes.
        {u"/website/a.gif"_s, u"../website/a.gif"_s},
        {u"/web//img/./x.gif"_s, u"img/x.gif"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(makeLinkPath(root() + c.target, document(), all), c.expected)
            << c.target.toStdString();
}

TEST_F(LinkPath, FoldersDifferingOnlyByCaseAreDifferentFolders)
{
    EXPECT_EQ(makeLinkPath(root() + u"/Web/A.gif"_s, document(), LinkOptions{true, false, true}),
              u"../Web/A.gif"_s);
}

TEST_F(LinkPath, OnlyTheRootInCommonClimbsToTheRoot)
{
    const int depth = static_cast<int>(
        QDir::cleanPath(root() + u"/web"_s).split(u'/', Qt::SkipEmptyParts).size());
    EXPECT_EQ(makeLinkPath(u"/srv/www/Pic.png"_s, document(), LinkOptions{}),
              u"../"_s.repeated(depth) + u"srv/www/pic.png"_s);
}

TEST_F(LinkPath, StaysAbsoluteWithoutASavedDocumentOrWhenAsked)
{
    const LinkOptions keepCase{true, false, true};
    const QString target = root() + u"/web/img/Logo.GIF"_s;
    EXPECT_EQ(makeLinkPath(target, u"dokument1"_s, keepCase), target) << "unsaved document";
    EXPECT_EQ(makeLinkPath(target, root() + u"/web/gone.html"_s, keepCase), target)
        << "document file not on disk";
    EXPECT_EQ(makeLinkPath(target, QString(), keepCase), target);
    EXPECT_EQ(makeLinkPath(target, document(), LinkOptions{false, false, true}), target)
        << "relative paths switched off";
}

TEST_F(LinkPath, AFileAboutToBeWrittenIsAlreadyAFolderToBeRelativeTo)
{
    const LinkOptions keepCase{true, false, true};
    const QString target = root() + u"/web/img/Logo.GIF"_s;
    EXPECT_EQ(makeLinkPathForNewFile(target, root() + u"/web/new.html"_s, keepCase),
              u"img/Logo.GIF"_s);
    EXPECT_EQ(makeLinkPathForNewFile(target, root() + u"/other/new.html"_s, LinkOptions{}),
              u"../web/img/logo.gif"_s);
    EXPECT_EQ(makeLinkPathForNewFile(target, root() + u"/web/new.html"_s,
                                     LinkOptions{false, false, true}),
              target);
}

TEST_F(LinkPath, LowerCaseAndSlashOptionsApplyIndependently)
{
    const QString target = root() + u"/web/Dir\\Ř.GIF"_s;
    EXPECT_EQ(makeLinkPath(target, document(), LinkOptions{true, true, true}), u"dir/ř.gif"_s);
    EXPECT_EQ(makeLinkPath(target, document(), LinkOptions{true, false, true}), u"Dir/Ř.GIF"_s);
    EXPECT_EQ(makeLinkPath(target, document(), LinkOptions{true, true, false}), u"dir\\ř.gif"_s);
}

} // namespace
} // namespace qw
