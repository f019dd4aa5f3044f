#include "core/text/DocumentFile.h"

#include "core/text/SaveFormat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

class DocumentFileTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString writeBytes(const QString& name, const QByteArray& bytes) const
    {
        const QString p = path(name);
        QFile file(p);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return p;
    }

    static QByteArray readBytes(const QString& p)
    {
        QFile file(p);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << p.toStdString();
        return file.readAll();
    }

    // Opens a file and saves it back with lineBreak; returns what was written.
    QByteArray openAndSave(const QString& p, LineBreak lineBreak) const
    {
        const DocumentReadResult read = readDocumentFile(p);
        EXPECT_TRUE(read.ok) << read.errorText.toStdString();
        const QString out = p + u".saved"_s;
        const FileWriteResult written = writeDocumentFile(out, read.text, lineBreak, read.encoding);
        EXPECT_TRUE(written.ok) << written.errorText.toStdString();
        return readBytes(out);
    }

    // What a file becomes once read into lines and written with CR LF:
    // every break a CR LF and one after the last line. Built by plain
    // replacement, independently of the line splitter under test.
    static QByteArray withCrLfBreaks(QByteArray bytes)
    {
        if (bytes.isEmpty())
            return bytes;
        bytes.replace("\r\n", "\n").replace('\r', '\n');
        if (!bytes.endsWith('\n'))
            bytes.append('\n');
        return bytes.replace("\n", "\r\n");
    }

    QTemporaryDir m_dir;
};

TEST_F(DocumentFileTest, OpeningAndSavingWithWinAddsTheMissingFinalBreak)
{
    const QString p = writeBytes(u"page.html"_s, "A\r\nB");
    const LineBreak win = lineBreakForSaveFormat(u"WIN"_s, LineBreak::Lf);
    EXPECT_EQ(openAndSave(p, win), QByteArray("A\r\nB\r\n"));
}

TEST_F(DocumentFileTest, ReadingGivesTextAndEncoding)
{
    const QString p = writeBytes(u"czech.html"_s, "\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xF9\xFA\n"
                                                  "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xD9\xDA\r"
                                                  "\xEF\x9D\xF2");
    const DocumentReadResult read = readDocumentFile(p);
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.errorText.isEmpty());
    EXPECT_EQ(read.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(read.text, u"ěščřžýáíéůú\r\nĚŠČŘŽÝÁÍÉŮÚ\r\nďťň\r\n"_s);
}

TEST_F(DocumentFileTest, UnreadablePathsReportTheSystemsReason)
{
    QDir(m_dir.path()).mkdir(u"folder"_s);
    // Opening a pipe with no writer would wait forever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(u"pipe"_s)).constData(), 0600), 0);
    for (const QString& p :
         {path(u"missing.html"_s), path(u"folder"_s), path(u"pipe"_s), u"/dev/zero"_s}) {
        const DocumentReadResult read = readDocumentFile(p);
        EXPECT_FALSE(read.ok) << p.toStdString();
        EXPECT_FALSE(read.errorText.isEmpty()) << p.toStdString();
        EXPECT_TRUE(read.text.isEmpty());
    }
}

TEST_F(DocumentFileTest, BinaryFilesReadAndRoundTrip)
{
    std::mt19937 random(1250);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray binary(1 << 20, Qt::Uninitialized);
    for (char& c : binary)
        c = char(byte(random));
    struct Case
    {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"random bytes", binary},
        {"NUL bytes", QByteArray(1 << 20, '\0')},
        {"10 MB single line", QByteArray(10 << 20, '\xE8')},
        {"every byte value",
         [] {
             QByteArray all;
             for (int b = 0; b < 256; ++b)
                 all.append(char(b));
             return all;
         }()},
    };
    for (const Case& c : cases) {
        const QString p = writeBytes(QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(openAndSave(p, LineBreak::CrLf), withCrLfBreaks(c.bytes)) << c.name;
    }
}

TEST_F(DocumentFileTest, Utf8FilesStayUtf8)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"without bom", "<p>\xC5\xBE\xC3\xA1k \xE2\x82\xAC</p>\n\xF0\x9F\x98\x80\n",
         TextEncoding::Utf8},
        {"with bom", "\xEF\xBB\xBF<p>abc</p>\n", TextEncoding::Utf8Bom},
    };
    for (const Case& c : cases) {
        const QString p = writeBytes(QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(readDocumentFile(p).encoding, c.encoding) << c.name;
        EXPECT_EQ(openAndSave(p, LineBreak::Lf), c.bytes) << c.name;
    }
}

TEST_F(DocumentFileTest, CharactersOutsideWindows1250AreSavedAsReferences)
{
    const QString p = path(u"out.html"_s);
    ASSERT_TRUE(
        writeDocumentFile(p, u"中 😀 ř\r\n"_s, LineBreak::CrLf, TextEncoding::Windows1250).ok);
    EXPECT_EQ(readBytes(p), QByteArray("&#20013; &#128512; \xF8\r\n"));
}

} // namespace
} // namespace qw
