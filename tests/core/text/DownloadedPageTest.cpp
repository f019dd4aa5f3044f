#include "core/text/DownloadedPage.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(DownloadedPage, FindsTheCharsetOfAContentType)
{
    struct Case
    {
        const char* contentType;
        const char* charset;
    };
    const Case cases[] = {
        {"text/html; charset=UTF-8", "utf-8"},
        {"text/html;charset=\"Windows-1250\"", "windows-1250"},
        {"text/html; level=1;  CharSet = ISO-8859-2 ", "iso-8859-2"},
        {"text/html; charset=\" cp1250 \"", "cp1250"},
        {"text/html", ""},
        {"", ""},
        {"text/html; charset=", ""},
        {"text/html; charsets=utf-8", ""},
        // The first part is the media type, never a parameter.
        {"charset=utf-8", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(contentTypeCharset(c.contentType), QByteArray(c.charset)) << c.contentType;
}

TEST(DownloadedPage, ANamedCharsetWinsOverTheGuess)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        const char* contentType;
        QString text;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"no charset, Windows-1250 bytes", "P\xF8\xEDli\x9A\r\nx", "text/html",
         u"Příliš\r\nx\r\n"_s, TextEncoding::Windows1250},
        {"no charset, UTF-8 bytes", "\xC4\x8D\n", "text/html", u"č\r\n"_s, TextEncoding::Utf8},
        {"no header at all", "\xE8", "", u"č\r\n"_s, TextEncoding::Windows1250},
        {"windows-1250 over valid UTF-8", "\xC4\x8D", "text/html; charset=windows-1250",
         u"ÄŤ\r\n"_s, TextEncoding::Windows1250},
        {"cp1250", "\x9A\n", "text/html; charset=CP1250", u"š\r\n"_s, TextEncoding::Windows1250},
        {"x-cp1250", "\x9E", "text/html; charset=x-cp1250", u"ž\r\n"_s, TextEncoding::Windows1250},
        {"utf-8 on plain ASCII is saved as UTF-8", "a\nb", "text/html; charset=utf-8",
         u"a\r\nb\r\n"_s, TextEncoding::Utf8},
        {"utf8 spelled without a dash", "\xC5\xA1", "text/html; charset=utf8", u"š\r\n"_s,
         TextEncoding::Utf8},
        {"utf-8 over bytes that are not UTF-8", "a\xE8\rb", "text/html; charset=utf-8",
         u"a\uFFFD\r\nb\r\n"_s, TextEncoding::Utf8},
        {"iso-8859-2 through the system", "\xB9\xBB\xBE\r", "text/html; charset=iso-8859-2",
         u"šťž\r\n"_s, TextEncoding::Windows1250},
        {"utf-16le is saved as UTF-8", QByteArray("a\0\n\0\x0D\x01", 6),
         "text/plain; charset=utf-16le", u"a\r\nč\r\n"_s, TextEncoding::Utf8},
        {"an unknown charset leaves the guess", "\xC4\x8D", "text/html; charset=x-no-such-thing",
         u"č\r\n"_s, TextEncoding::Utf8},
        {"a byte-order mark decides first", "\xEF\xBB\xBF\xC4\x8D",
         "text/html; charset=windows-1250", u"č\r\n"_s, TextEncoding::Utf8Bom},
        {"a mark before broken UTF-8 is no mark", "\xEF\xBB\xBF\xE8",
         "text/html; charset=windows-1250", u"ď»żč\r\n"_s, TextEncoding::Windows1250},
        {"empty page", "", "text/html; charset=utf-8", u""_s, TextEncoding::Utf8},
        {"only a break", "\n", "text/html; charset=iso-8859-2", u"\r\n"_s,
         TextEncoding::Windows1250},
    };
    for (const Case& c : cases) {
        const DecodedDocument page = decodeDownloadedPage(c.bytes, c.contentType);
        EXPECT_EQ(page.text, c.text) << c.name;
        EXPECT_EQ(page.encoding, c.encoding) << c.name;
    }
}

} // namespace
} // namespace qw
