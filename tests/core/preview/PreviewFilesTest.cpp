#include "core/preview/PreviewFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace qw;
using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

mode_t modeOf(const QString& path)
{
    struct stat st
    {
    };
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_mode;
}

} // namespace

TEST(PreviewFilePath, EveryPreviewFileLiesInThePrivateFolder)
{
    QTemporaryDir dir;
    const QString web = dir.filePath(u"web"_s);
    QDir().mkpath(web);
    writeFile(web + u"/index.html"_s, "<p>");
    const QString temp = dir.filePath(u"tmp/"_s);

    // Never beside the document, where it would travel with the site.
    EXPECT_EQ(previewFilePath(web + u"/index.html"_s, temp), temp + u"qw~index.html"_s);
    // Not saved yet, or its file is gone: the shared temporary preview.
    EXPECT_EQ(previewFilePath(QString(), temp), temp + u"qw~temp.html"_s);
    EXPECT_EQ(previewFilePath(web + u"/gone.html"_s, temp), temp + u"qw~temp.html"_s);
    // A folder of that name is no document file.
    EXPECT_EQ(previewFilePath(web, temp), temp + u"qw~temp.html"_s);
}

TEST(PreviewPageText, RelativeAddressesResolveInTheDocumentsFolder)
{
    const QString doc = u"/home/jana/web/index.html"_s;
    const QString base = u"<base href=\"file:///home/jana/web/index.html\">"_s;
    struct Case
    {
        const char* name;
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"a fragment", u"<p><img src=pic.png>"_s, base + u"<p><img src=pic.png>"_s},
        {"a whole page", u"<!DOCTYPE html>\r\n<html lang=cs>\r\n<head>\r\n<title>T</title>"_s,
         u"<!DOCTYPE html>\r\n<html lang=cs>\r\n<head>"_s + base + u"\r\n<title>T</title>"_s},
        // Before the first element that takes addresses, the doctype
        // first so the page keeps its standards mode.
        {"a head without its tag",
         u"<!doctype html><!-- c --><link rel=stylesheet href=a.css><p>"_s,
         u"<!doctype html><!-- c -->"_s + base + u"<link rel=stylesheet href=a.css><p>"_s},
        {"a head tag in a comment", u"<!-- <head> --><p>"_s,
         u"<!-- <head> -->"_s + base + u"<p>"_s},
        {"the page's own absolute base", u"<head><base href=\"http://example.com/\"><p>"_s,
         u"<head><base href=\"http://example.com/\"><p>"_s},
        {"the page's own relative base",
         u"<head><title>&lt;base href=x&gt;</title><base target=_top><base href='sub/'>"_s,
         u"<head><title>&lt;base href=x&gt;</title><base target=_top>"
         u"<base href='file:///home/jana/web/sub/'>"_s},
        {"a base in the body is no head's", u"<head></head><body><base href=x>"_s,
         u"<head>"_s + base + u"</head><body><base href=x>"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(previewPageText(c.text, doc), c.expected) << c.name;
    // Letters and characters an address must not carry as they are.
    EXPECT_EQ(previewPageText(u"<p>"_s, u"/w/a&b's \"dům\".html"_s),
              u"<base href=\"file:///w/a&amp;b&#39;s%20%22d%C5%AFm%22.html\"><p>"_s);
    // Nothing to resolve against: the text as it is.
    EXPECT_EQ(previewPageText(u"<p><img src=pic.png>"_s, QString()), u"<p><img src=pic.png>"_s);
}

TEST(BrowserMenuItem, CaptionAndProgramOfEachKindOfEntry)
{
    struct Case
    {
        BrowserEntry entry;
        BrowserMenuItem item;
    };
    const Case cases[] = {
        {{u"Firefox"_s, u"/usr/bin/firefox"_s}, {u"Firefox"_s, u"/usr/bin/firefox"_s}},
        {{u"Mé prohlížeče"_s, u"/opt/a b/run"_s}, {u"Mé prohlížeče"_s, u"/opt/a b/run"_s}},
        // Written without a bar: the one name is both.
        {BrowserEntry::fromText(u"chromium"), {u"chromium"_s, u"chromium"_s}},
        // No caption: the menu shows the program instead of a blank entry.
        {BrowserEntry::fromText(u"|/usr/bin/x"), {u"/usr/bin/x"_s, u"/usr/bin/x"_s}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toText().toStdString());
        EXPECT_EQ(browserMenuItem(c.entry), c.item);
    }
}

TEST(PrivateTempFolder, IsMadeOnceForThisUserOnly)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(u"missing/base/"_s);
    const QString folder = privateTempFolder(base);
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_TRUE(folder.startsWith(base));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(modeOf(folder) & 0777, 0700u);
    EXPECT_EQ(privateTempFolder(base), folder);

    // A mode loosened by somebody is tightened again.
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    EXPECT_EQ(privateTempFolder(base), folder);
    EXPECT_EQ(modeOf(folder) & 0777, 0700u);
}

TEST(PrivateTempFolder, ALinkPlantedUnderItsNameIsNotFollowed)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(u"base/"_s);
    const QString victim = dir.filePath(u"victim"_s);
    QDir().mkpath(base);
    QDir().mkpath(victim);
    const QString usual = base + u"quenwick-"_s + QString::number(::geteuid());
    ASSERT_TRUE(QFile::link(victim, usual));

    const QString folder = privateTempFolder(base);
    ASSERT_FALSE(folder.isEmpty());
    // Not the planted name (the unique one may share its first letters).
    EXPECT_FALSE(folder.startsWith(usual + u'/'));
    EXPECT_NE(QFileInfo(folder).canonicalFilePath(), QFileInfo(victim).canonicalFilePath());
    EXPECT_FALSE(QFileInfo(folder).isSymLink());
    EXPECT_EQ(modeOf(folder) & 0777, 0700u);
}

TEST(ClearNonFile, RemovesLinksKeepsFilesAndRefusesFolders)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"precious.txt"_s);
    writeFile(target, "keep");
    const QString link = dir.filePath(u"qw~temp.html"_s);
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_TRUE(clearNonFile(link));
    EXPECT_FALSE(QFileInfo::exists(link));
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "keep");

    EXPECT_TRUE(clearNonFile(target));
    EXPECT_TRUE(QFileInfo::exists(target));
    EXPECT_TRUE(clearNonFile(dir.filePath(u"nothing"_s)));
    EXPECT_FALSE(clearNonFile(dir.path()));
}

TEST(PreviewMayLoad, ThePageLoadsItsOwnFilesButItsScriptsReadNone)
{
    struct Case
    {
        const char* url;
        PreviewRequestKind kind;
        bool allowed;
    };
    using K = PreviewRequestKind;
    const Case cases[] = {
        {"file:///home/u/web/qw~index.html", K::Page, true},
        {"file:///home/u/web/pic.gif", K::Resource, true},
        {"file:///home/u/web/style.css", K::Resource, true},
        {"file:///home/u/web/secret.txt", K::ScriptRead, false},
        {"file:///home/u/web/data.html", K::ScriptRead, false},
        {"file:///home/u/web/menu.html", K::Frame, true},
        {"file:///home/u/web/MENU.HTM", K::Frame, true},
        {"file:///home/u/.ssh/id_rsa", K::Frame, false},
        {"file:///etc/passwd", K::Object, false},
        // The web beyond the page is the page's business, as in a browser.
        {"https://example.org/api", K::ScriptRead, true},
        {"https://example.org/x.txt", K::Frame, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(previewMayLoad(QUrl(QString::fromLatin1(c.url)), c.kind), c.allowed);
    }
}
