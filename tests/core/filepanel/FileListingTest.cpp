#include "core/filepanel/FileListing.h"

#include "core/filepanel/FileMask.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

void writeFile(const QString& path, qsizetype size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(size, 'x'));
}

TEST(FileListing, FilesOnlySortedIgnoringCaseWithoutHiddenOnes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath(u"b.HTML"_s), 3);
    writeFile(dir.filePath(u"A.htm"_s), 1);
    writeFile(dir.filePath(u"c.htm.bak"_s), 1);
    writeFile(dir.filePath(u".hidden.htm"_s), 1);
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder.htm"_s));

    const QList<FileListEntry> files = listFolderFiles(dir.path(), FileMask(u"*.htm;*.html"_s));
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files.at(0).name, u"A.htm"_s);
    EXPECT_EQ(files.at(0).size, 1);
    EXPECT_EQ(files.at(1).name, u"b.HTML"_s);
    EXPECT_EQ(files.at(1).size, 3);

    EXPECT_EQ(listFolderFiles(dir.path(), FileMask(u"*.*"_s)).size(), 3);
    EXPECT_TRUE(listFolderFiles(dir.filePath(u"missing"_s), FileMask(u"*.*"_s)).isEmpty());
}

} // namespace
} // namespace qw
