#include "core/text/CharsetDeclaration.h"

#include "core/text/DocumentFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(CharsetDeclaration, FindsTheNameInEitherForm)
{
    struct Case
    {
        const char* name;
        QString text;
        QString charset; // empty: no declaration
    };
    const Case cases[] = {
        {"short form", u"<head><meta charset=\"utf-8\"></head>"_s, u"utf-8"_s},
        {"single quotes, upper case", u"<META CHARSET='UTF-8'>"_s, u"utf-8"_s},
        {"unquoted, self-closed", u"<meta charset=windows-1250 />"_s, u"windows-1250"_s},
        {"unquoted before space", u"<meta charset=utf8 >"_s, u"utf8"_s},
        {"spaces round the equals", u"<meta charset = \" utf-8 \">"_s, u"utf-8"_s},
        {"http-equiv form",
         u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"_s,
         u"windows-1250"_s},
        {"content before http-equiv",
         u"<meta content='text/html;charset=UTF-8' http-equiv='content-type'>"_s, u"utf-8"_s},
        {"content without http-equiv", u"<meta name=x content=\"charset=utf-8\">"_s, u""_s},
        {"other meta first", u"<meta name=\"author\" content=\"A\">\r\n<meta charset=\"utf-8\">"_s,
         u"utf-8"_s},
        {"inside a comment", u"<!-- <meta charset=\"utf-8\"> --><p>"_s, u""_s},
        {"after the comment", u"<!-- <meta charset=\"utf-8\"> --><meta charset=\"windows-1250\">"_s,
         u"windows-1250"_s},
        {"after body", u"<body><meta charset=\"utf-8\">"_s, u""_s},
        {"a word starting meta", u"<metadata charset=\"utf-8\">"_s, u""_s},
        {"empty value", u"<meta charset=\"\">"_s, u""_s},
        {"unterminated tag", u"<meta charset=\"utf-8"_s, u"utf-8"_s},
        {"no declaration", u"<html><head><title>t</title></head>"_s, u""_s},
    };
    for (const Case& c : cases) {
        const CharsetDeclaration d = findCharsetDeclaration(c.text);
        EXPECT_EQ(d.found, !c.charset.isEmpty()) << c.name;
        EXPECT_EQ(d.name, c.charset) << c.name;
        if (d.found) {
            EXPECT_EQ(c.text.sliced(d.valueStart, d.valueLength).toLower(), c.charset) << c.name;
        }
    }
}

TEST(CharsetDeclaration, LooksOnlyIntoThePagesStart)
{
    const QString late = QString(kCharsetSearchLength, u' ') + u"<meta charset=\"utf-8\">"_s;
    EXPECT_FALSE(findCharsetDeclaration(late).found);
    EXPECT_TRUE(findCharsetDeclaration(late.sliced(100)).found);
}

TEST(CharsetDeclaration, NamesOnlyTheEncodingsWeWrite)
{
    EXPECT_EQ(encodingForCharset(u"UTF-8"), TextEncoding::Utf8);
    EXPECT_EQ(encodingForCharset(u"utf8"), TextEncoding::Utf8);
    EXPECT_EQ(encodingForCharset(u"windows-1250"), TextEncoding::Windows1250);
    EXPECT_EQ(encodingForCharset(u"cp1250"), TextEncoding::Windows1250);
    EXPECT_EQ(encodingForCharset(u"iso-8859-2"), std::nullopt);
    EXPECT_EQ(declaredEncoding(u"<p>nothing</p>"), std::nullopt);
}

TEST(CharsetDeclaration, UpdateReplacesOnlyTheNameWhenItDiffers)
{
    struct Case
    {
        const char* name;
        QString text;
        TextEncoding target;
        QString result; // the text after the update; equal to text when none
    };
    const Case cases[] = {
        {"1250 to UTF-8", u"<meta charset=\"windows-1250\">"_s, TextEncoding::Utf8,
         u"<meta charset=\"utf-8\">"_s},
        {"UTF-8 to 1250, http-equiv",
         u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">"_s,
         TextEncoding::Windows1250,
         u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"_s},
        {"to UTF-8 with BOM names utf-8", u"<meta charset=cp1250>"_s, TextEncoding::Utf8Bom,
         u"<meta charset=utf-8>"_s},
        {"other set to 1250", u"<meta charset='iso-8859-2'>"_s, TextEncoding::Windows1250,
         u"<meta charset='windows-1250'>"_s},
        {"already UTF-8 in another spelling", u"<meta charset=\"UTF8\">"_s, TextEncoding::Utf8Bom,
         u"<meta charset=\"UTF8\">"_s},
        {"already 1250", u"<meta charset=\"x-cp1250\">"_s, TextEncoding::Windows1250,
         u"<meta charset=\"x-cp1250\">"_s},
        {"no declaration", u"<p>x</p>"_s, TextEncoding::Utf8, u"<p>x</p>"_s},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        if (const auto update = charsetUpdateFor(text, c.target))
            text.replace(update->start, update->length, update->name);
        EXPECT_EQ(text, c.result) << c.name;
    }
    EXPECT_EQ(encodingDisplayName(TextEncoding::Windows1250), u"Windows-1250"_s);
    EXPECT_EQ(encodingDisplayName(TextEncoding::Utf8), u"UTF-8"_s);
    EXPECT_EQ(encodingDisplayName(TextEncoding::Utf8Bom), u"UTF-8 s BOM"_s);
}

// A page moved to Windows-1250 keeps every character: what the code page
// lacks is written as a numeric reference, never as a question mark.
TEST(DeclaredEncoding, ConversionToWindows1250KeepsMissingCharactersAsReferences)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(u"page.html"_s);
    const QString text = u"<p>\u017Elu\u0165ou\u010Dk\u00FD \u20AC \u2192 \U0001F600</p>\r\n"_s;
    ASSERT_TRUE(writeDocumentFile(path, text, LineBreak::CrLf, TextEncoding::Windows1250).ok);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("<p>\x9Elu\x9Dou\xE8k\xFD \x80 &#8594; &#128512;</p>\r\n"));
}

// An ASCII page is read in the encoding it declares; unchanged it saves
// byte-identical, and the first Czech letter typed goes out in that encoding.
TEST(DeclaredEncoding, AsciiPageKeepsItsDeclaredEncoding)
{
    struct Case
    {
        const char* name;
        QByteArray head;
        TextEncoding read;
        QByteArray zcaron; // how "ž" is written after the edit
    };
    const Case cases[] = {
        {"declaring utf-8", "<meta charset=\"utf-8\">", TextEncoding::Utf8, "\xC5\xBE"},
        {"declaring utf-8, http-equiv",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">",
         TextEncoding::Utf8, "\xC5\xBE"},
        {"declaring windows-1250", "<meta charset=\"windows-1250\">", TextEncoding::Windows1250,
         "\x9E"},
        {"no declaration", "<title>t</title>", TextEncoding::Windows1250, "\x9E"},
        {"declaring another set", "<meta charset=\"iso-8859-2\">", TextEncoding::Windows1250,
         "\x9E"},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        const QByteArray bytes = "<html><head>" + c.head + "</head>\r\n<body>x</body></html>\r\n";
        const QString path = dir.filePath(u"page.html"_s);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
        const DocumentReadResult read = readDocumentFile(path);
        ASSERT_TRUE(read.ok) << c.name;
        EXPECT_EQ(read.encoding, c.read) << c.name;

        const QString saved = dir.filePath(u"saved.html"_s);
        ASSERT_TRUE(writeDocumentFile(saved, read.text, LineBreak::CrLf, read.encoding).ok);
        QFile back(saved);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        EXPECT_EQ(back.readAll(), bytes) << c.name;
        back.close();

        QString edited = read.text;
        edited.replace(u"<body>x"_s, u"<body>x\u017E"_s);
        ASSERT_TRUE(writeDocumentFile(saved, edited, LineBreak::CrLf, read.encoding).ok);
        ASSERT_TRUE(back.open(QIODevice::ReadOnly));
        QByteArray expected = bytes;
        expected.replace("<body>x", "<body>x" + c.zcaron);
        EXPECT_EQ(back.readAll(), expected) << c.name;
    }
}

} // namespace
} // namespace qw
