#include "core/text/FileStamp.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

using namespace qw;
using namespace Qt::StringLiterals;

namespace {
void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Puts the file's modification time back, as a program that keeps it would.
void setModified(const QString& path, const FileStamp& like)
{
    struct timespec times[2] = {{0, UTIME_OMIT},
                                {like.modifiedNs / 1000000000, like.modifiedNs % 1000000000}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}
} // namespace

TEST(FileStamp, SeesWritesReplacementsRemovalsAndReturns)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.html"_s);
    write(path, "<p>one</p>");
    const FileStamp read = fileStamp(path);
    ASSERT_TRUE(read.exists);
    EXPECT_EQ(read.size, 10);
    EXPECT_EQ(diskChange(read, fileStamp(path)), DiskChange::None);

    // Written with another length.
    write(path, "<p>three</p>");
    EXPECT_EQ(diskChange(read, fileStamp(path)), DiskChange::Changed);

    // Replaced by a new file of the same size and time (an atomic save of
    // another program): a new inode.
    const FileStamp before = fileStamp(path);
    const QString other = dir.filePath(u"b.html"_s);
    write(other, "<p>four</p>!");
    setModified(other, before);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    EXPECT_EQ(diskChange(before, fileStamp(path)), DiskChange::Changed);

    const FileStamp replaced = fileStamp(path);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(diskChange(replaced, fileStamp(path)), DiskChange::Gone);
    write(path, "back");
    EXPECT_EQ(diskChange(fileStamp(path + u"x"_s), fileStamp(path)), DiskChange::Returned);
}
