#include "core/text/DocumentText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(DocumentText, SplitsAtEveryKindOfBreak)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {"empty file", "", u""_s},
        {"one line without break", "A", u"A\r\n"_s},
        {"final break starts no line", "A\r\n", u"A\r\n"_s},
        {"A CR LF B", "A\r\nB", u"A\r\nB\r\n"_s},
        {"mixed breaks", "A\nB\rC\r\nD", u"A\r\nB\r\nC\r\nD\r\n"_s},
        {"LF CR is two breaks", "A\n\rB", u"A\r\n\r\nB\r\n"_s},
        {"CR CR LF", "A\r\r\nB", u"A\r\n\r\nB\r\n"_s},
        {"empty lines", "\n\n", u"\r\n\r\n"_s},
        {"lone CR at the end", "A\r", u"A\r\n"_s},
        {"only a break", "\r\n", u"\r\n"_s},
        {"NUL bytes are characters", QByteArray("a\0b", 3), u"a"_s + QChar(0) + u"b\r\n"_s},
        {"bom alone", "\xEF\xBB\xBF", u""_s},
        {"utf8 lines", "\xC4\x9B\n\xF0\x9F\x98\x80\r", u"ě\r\n😀\r\n"_s},
        {"bom is not text", "\xEF\xBB\xBFx\r\n", u"x\r\n"_s},
        {"1250 lines", "\xE8\r\n\x9E", u"č\r\nž\r\n"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeDocument(c.bytes).text, c.text) << c.name;
}

TEST(DocumentText, DecodingKeepsTheEncodingFound)
{
    EXPECT_EQ(decodeDocument("plain").encoding, TextEncoding::Windows1250);
    EXPECT_EQ(decodeDocument("\xC3\xA1").encoding, TextEncoding::Utf8);
    EXPECT_EQ(decodeDocument("\xEF\xBB\xBF").encoding, TextEncoding::Utf8Bom);
    // The mark before bytes that are not UTF-8 is kept as text so that the
    // file comes back unchanged.
    const DecodedDocument broken = decodeDocument("\xEF\xBB\xBF\xE8");
    EXPECT_EQ(broken.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(broken.text, u"ď»żč\r\n"_s);
}

TEST(DocumentText, JoinsLinesWithTheChosenBreak)
{
    struct Case
    {
        const char* name;
        QString text;
        LineBreak lineBreak;
        TextEncoding encoding;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty text, empty file", u""_s, LineBreak::CrLf, TextEncoding::Windows1250, ""},
        {"empty text keeps its bom", u""_s, LineBreak::CrLf, TextEncoding::Utf8Bom, "\xEF\xBB\xBF"},
        {"no break after the last line", u"A\r\nB"_s, LineBreak::Lf, TextEncoding::Windows1250,
         "A\nB"},
        {"empty last line", u"A\r\nB\r\n"_s, LineBreak::Cr, TextEncoding::Windows1250, "A\rB\r"},
        {"LF CR", u"A\r\n\r\nB"_s, LineBreak::LfCr, TextEncoding::Windows1250, "A\n\r\n\rB"},
        {"lone CR and LF belong to the line", u"a\rb\nc\r\nd\r"_s, LineBreak::Lf,
         TextEncoding::Windows1250, "a\rb\nc\nd\r"},
        {"1250 with references", u"ř中\r\n😀"_s, LineBreak::CrLf, TextEncoding::Windows1250,
         "\xF8&#20013;\r\n&#128512;"},
        {"utf8", u"ř中\r\n😀"_s, LineBreak::Lf, TextEncoding::Utf8,
         "\xC5\x99\xE4\xB8\xAD\n\xF0\x9F\x98\x80"},
        {"utf8 with bom", u"é\r\n"_s, LineBreak::CrLf, TextEncoding::Utf8Bom,
         "\xEF\xBB\xBF\xC3\xA9\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeDocument(c.text, c.lineBreak, c.encoding), c.bytes) << c.name;
}

// A file whose every line ends with the break it is saved with comes back
// byte for byte, in each encoding it can be read in.
TEST(DocumentText, FilesEndingWithTheirBreakRoundTrip)
{
    const QByteArray win1250Lines[] = {"<p>\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9</p>", "",
                                       "\x81\x83\x88\x90\x98 &amp; \xA0"};
    const QByteArray utf8Lines[] = {"<p>\xC4\x9B\xC5\xA1\xC4\x8D</p>", "", "\xF0\x9F\x98\x80"};
    struct Encoded
    {
        TextEncoding encoding;
        QByteArray prefix;
        const QByteArray* lines;
    };
    const Encoded encodings[] = {
        {TextEncoding::Windows1250, "", win1250Lines},
        {TextEncoding::Utf8, "", utf8Lines},
        {TextEncoding::Utf8Bom, "\xEF\xBB\xBF", utf8Lines},
    };
    const LineBreak breaks[] = {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr};
    for (const Encoded& e : encodings) {
        for (LineBreak lb : breaks) {
            QByteArray file = e.prefix;
            for (int i = 0; i < 3; ++i)
                file += e.lines[i] + lineBreakBytes(lb).toByteArray();
            const DecodedDocument doc = decodeDocument(file);
            EXPECT_EQ(doc.encoding, e.encoding);
            EXPECT_EQ(encodeDocument(doc.text, lb, doc.encoding), file)
                << file.toHex(' ').toStdString();
        }
    }
}

} // namespace
} // namespace qw
