#include "core/text/DocumentFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

QByteArray sha1Of(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return hash.result();
}

// A 200 MB Windows-1250 page opened and saved again with its own break comes
// back byte for byte. Only hashes are kept so that the test holds no more
// than the reader and writer themselves need.
TEST(LargeDocumentFile, TwoHundredMegabytesRoundTrip)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(u"big.html"_s);
    const QString saved = dir.filePath(u"big-saved.html"_s);
    const qsizetype targetSize = 200LL << 20;
    {
        const QByteArray line =
            "<tr><td>\xC8\x65sk\xE1 \xF8\x65\xE8 \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"
            "</td><td class=\"x\">&nbsp;\x80 \x84text\x93</td></tr>\r\n";
        QByteArray chunk;
        while (chunk.size() < (1 << 20))
            chunk += line;
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (qsizetype written = 0; written < targetSize; written += chunk.size())
            ASSERT_EQ(file.write(chunk), chunk.size());
    }
    const DocumentReadResult read = readDocumentFile(source);
    ASSERT_TRUE(read.ok) << read.errorText.toStdString();
    EXPECT_EQ(read.encoding, TextEncoding::Windows1250);
    EXPECT_TRUE(read.text.startsWith(u"<tr><td>Česká řeč žluťoučký kůň</td>"_s));
    const FileWriteResult written =
        writeDocumentFile(saved, read.text, LineBreak::CrLf, read.encoding);
    ASSERT_TRUE(written.ok) << written.errorText.toStdString();
    EXPECT_EQ(QFile(saved).size(), QFile(source).size());
    EXPECT_EQ(sha1Of(saved), sha1Of(source));
}

} // namespace
} // namespace qw
