#include "core/text/AtomicFileWriter.h"

#include "ResourceLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class AtomicFileWriterTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    static void put(const QString& p, const QByteArray& bytes)
    {
        QFile file(p);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray contents(const QString& p)
    {
        QFile file(p);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    // Only the write-temporary-then-rename leaves a folder holding just
    // these names; a failed or direct write would leave a trace or none.
    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    }

    QTemporaryDir m_dir;
};

TEST_F(AtomicFileWriterTest, CreatesAndReplacesFiles)
{
    const QString p = path(u"a.html"_s);
    ASSERT_TRUE(writeFileAtomically(p, "first").ok);
    EXPECT_EQ(contents(p), "first");
    const FileWriteResult second = writeFileAtomically(p, "second, longer");
    EXPECT_TRUE(second.ok);
    EXPECT_TRUE(second.errorText.isEmpty());
    EXPECT_EQ(contents(p), "second, longer");
    EXPECT_EQ(entries(), QStringList{u"a.html"_s});
}

TEST_F(AtomicFileWriterTest, KeepsPermissions)
{
    using P = QFileDevice::Permission;
    const QFileDevice::Permissions modes[] = {
        P::ReadOwner | P::WriteOwner | P::ReadGroup,
        P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadGroup | P::ExeGroup | P::ReadOther |
            P::ExeOther,
        P::ReadOwner | P::WriteOwner | P::ReadGroup | P::WriteGroup | P::ReadOther | P::WriteOther,
    };
    const QString p = path(u"script.sh"_s);
    for (QFileDevice::Permissions mode : modes) {
        put(p, "old");
        ASSERT_TRUE(QFile::setPermissions(p, mode));
        ASSERT_TRUE(writeFileAtomically(p, "new").ok);
        EXPECT_EQ(contents(p), "new");
        // The "User" flags mirror the owner's for the current user; compare
        // the mode bits only.
        const auto modeBits = [](QFileDevice::Permissions m) {
            return m & ~(P::ReadUser | P::WriteUser | P::ExeUser);
        };
        EXPECT_EQ(modeBits(QFileInfo(p).permissions()), modeBits(mode));
    }
}

TEST_F(AtomicFileWriterTest, WritesThroughSymbolicLinks)
{
    QDir(m_dir.path()).mkdir(u"real"_s);
    const QString target = path(u"real/page.html"_s);
    put(target, "old");
    // A relative link, and a link to that link: both must reach the file.
    ASSERT_TRUE(QFile::link(u"real/page.html"_s, path(u"link.html"_s)));
    ASSERT_TRUE(QFile::link(path(u"link.html"_s), path(u"link2.html"_s)));
    for (const QString& name : {u"link.html"_s, u"link2.html"_s}) {
        const QByteArray text = name.toLatin1();
        ASSERT_TRUE(writeFileAtomically(path(name), text).ok);
        EXPECT_EQ(contents(target), text);
        EXPECT_TRUE(QFileInfo(path(u"link.html"_s)).isSymLink());
        EXPECT_TRUE(QFileInfo(path(u"link2.html"_s)).isSymLink());
        EXPECT_FALSE(QFileInfo(target).isSymLink());
    }
    // A link to a file not yet there: the file is created, the link stays.
    ASSERT_TRUE(QFile::link(u"real/new.html"_s, path(u"dangling.html"_s)));
    ASSERT_TRUE(writeFileAtomically(path(u"dangling.html"_s), "created").ok);
    EXPECT_TRUE(QFileInfo(path(u"dangling.html"_s)).isSymLink());
    EXPECT_EQ(contents(path(u"real/new.html"_s)), "created");
}

TEST_F(AtomicFileWriterTest, ImpossiblePathsFailWithAReason)
{
    QDir(m_dir.path()).mkdir(u"folder"_s);
    for (const QString& p : {path(u"missing/a.html"_s), path(u"folder"_s)}) {
        const FileWriteResult result = writeFileAtomically(p, "x");
        EXPECT_FALSE(result.ok) << p.toStdString();
        EXPECT_FALSE(result.errorText.isEmpty()) << p.toStdString();
    }
    EXPECT_TRUE(QFileInfo(path(u"folder"_s)).isDir());
    EXPECT_EQ(entries(), QStringList{u"folder"_s});
}

TEST_F(AtomicFileWriterTest, FailureLeavesTheOldFile)
{
    // Failures that no one escapes, the superuser included (CI runs as root).
    const QString longName = QString(250, u'n'); // leaves no room for a temporary name
    struct Case
    {
        const char* name;
        QString file;
        qsizetype newSize;
        rlim_t sizeLimit;
    };
    const Case cases[] = {
        {"the new text does not fit", u"a.html"_s, 100'000, 4096},
        {"no temporary name beside it", longName, 3, RLIM_INFINITY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString p = path(c.file);
        put(p, "old");
        FileWriteResult result;
        {
            const test::ResourceLimit limit(RLIMIT_FSIZE, c.sizeLimit);
            ASSERT_TRUE(limit.isSet());
            result = writeFileAtomically(p, QByteArray(c.newSize, 'x'));
        }
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.errorText.isEmpty());
        EXPECT_EQ(contents(p), "old");
        // No temporary file is left behind.
        EXPECT_EQ(entries(), QStringList{c.file});
        ASSERT_TRUE(QFile::remove(p));
    }
}

} // namespace
} // namespace qw
