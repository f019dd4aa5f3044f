#include "core/text/TextCheck.h"

#include "core/text/DocumentFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// The start of a real 1x1 PNG: a high byte, CR LF, a DOS end-of-file mark
// and NUL bytes in its first 16 bytes.
const QByteArray kPngStart = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452");

TEST(LooksLikeText, TheControlCharactersFileCallsData)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool text;
    };
    const Case cases[] = {
        {"empty", QByteArray(), true},
        {"html", "<p>ahoj</p>\r\n", true},
        {"czech in windows-1250", "<p>\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2</p>", true},
        {"utf-8 with its mark", "\xEF\xBB\xBF<p>\xC5\xBE</p>", true},
        // What terminals and printers leave in text files.
        {"tab, form feed, escape, bell, backspace", "a\tb\fc\x1B[0m\x07\x08\x0B", true},
        {"every high byte", QByteArray(1, '\x80') + "\x9F\xA0\xFF", true},
        {"png", kPngStart, false},
        {"one NUL", QByteArray("<p>a", 4) + '\0' + "</p>", false},
        {"utf-16 page", QByteArray::fromHex("fffe3c007000"), false},
        {"DEL", "abc\x7F", false},
        {"DOS end of file", "abc\x1A", false},
        {"a control between", "a\x01" "b", false},
        {"unit separator", "a\x1F", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(looksLikeText(c.bytes), c.text) << c.name;
}

TEST(LooksLikeText, OnlyTheFirstBlockCounts)
{
    QByteArray bytes(kTextCheckBytes - 1, 'a');
    EXPECT_FALSE(looksLikeText(bytes + '\0'));
    // Past the block, as file(1) does not look there either.
    bytes.append('a');
    EXPECT_TRUE(looksLikeText(bytes + '\0'));
}

TEST(LooksLikeText, ReadingAFileSaysWhetherItIsText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QString picture = write(u"pic.png"_s, kPngStart + QByteArray(200, '\0'));
    const QString page = write(u"index.html"_s, "<p>a</p>\r\n");

    const DocumentReadResult read = readDocumentFile(picture);
    EXPECT_TRUE(read.ok);
    EXPECT_FALSE(read.looksLikeText);
    EXPECT_FALSE(fileLooksLikeText(picture));
    EXPECT_TRUE(readDocumentFile(page).looksLikeText);
    EXPECT_TRUE(fileLooksLikeText(page));
    // Nothing to read is no reason for a question: opening reports it.
    EXPECT_TRUE(fileLooksLikeText(dir.filePath(u"gone.html"_s)));
    EXPECT_TRUE(fileLooksLikeText(dir.path()));
}

} // namespace
} // namespace qw
