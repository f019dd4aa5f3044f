#include "core/text/Utf8.h"

#include "core/text/TextEncoding.h"

#include <QString>
#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(EncodingDetection, ChoosesByContent)
{
    struct Case
    {
        const char* name;
        QByteArray bytes;
        TextEncoding expected;
    };
    const Case cases[] = {
        {"empty", "", TextEncoding::Windows1250},
        {"ascii only", "<p>Hello</p>\r\n", TextEncoding::Windows1250},
        {"czech in 1250", "\xE8\x61\x73 \xF8\x65\x6B\x61", TextEncoding::Windows1250},
        {"two-byte utf8", "\xC4\x9B", TextEncoding::Utf8},
        {"three-byte utf8", "a\xE2\x82\xAC", TextEncoding::Utf8},
        {"four-byte utf8", "\xF0\x9F\x98\x80", TextEncoding::Utf8},
        {"highest code point", "\xF4\x8F\xBF\xBF", TextEncoding::Utf8},
        {"bom with ascii",
         "\xEF\xBB\xBF"
         "abc",
         TextEncoding::Utf8Bom},
        {"bom alone", "\xEF\xBB\xBF", TextEncoding::Utf8Bom},
        {"bom before invalid bytes", "\xEF\xBB\xBF\xE8", TextEncoding::Windows1250},
        {"overlong slash", "\xC0\xAF", TextEncoding::Windows1250},
        {"overlong two bytes C1", "\xC1\xBF", TextEncoding::Windows1250},
        {"overlong three bytes", "\xE0\x80\xAF", TextEncoding::Windows1250},
        {"overlong four bytes", "\xF0\x80\x80\xAF", TextEncoding::Windows1250},
        {"surrogate", "\xED\xA0\x80", TextEncoding::Windows1250},
        {"above U+10FFFF", "\xF4\x90\x80\x80", TextEncoding::Windows1250},
        {"lead F5", "\xF5\x80\x80\x80", TextEncoding::Windows1250},
        {"stray continuation", "abc\x80", TextEncoding::Windows1250},
        {"truncated at the end", "ok \xE4\xB8", TextEncoding::Windows1250},
        {"missing continuation", "\xE4\x41\x41", TextEncoding::Windows1250},
        {"valid then invalid", "\xC4\x9B and \xFF", TextEncoding::Windows1250},
        {"ascii declaring utf-8", "<meta charset=\"utf-8\">", TextEncoding::Utf8},
        {"1250 letter declaring utf-8", "<meta charset=\"utf-8\">\xE8", TextEncoding::Windows1250},
        {"ascii declaring windows-1250", "<meta charset=\"windows-1250\">",
         TextEncoding::Windows1250},
    };
    for (const Case& c : cases)
        EXPECT_EQ(detectEncoding(c.bytes), c.expected) << c.name;
}

// Qt's own converter replaces every invalid sequence, so a byte string is
// valid exactly when it survives decoding and encoding through Qt unchanged.
// Random strings built from the bytes where UTF-8 has its edges exercise the
// validator far beyond the hand-written cases.
TEST(Utf8, ValidatorAgreesWithAStrictRoundTrip)
{
    const unsigned char pieces[] = {0x41, 0x0A, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0,
                                    0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xED,
                                    0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
    std::mt19937 random(8);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 6);
    int validSeen = 0;
    for (int round = 0; round < 200000; ++round) {
        QByteArray bytes;
        for (int i = length(random); i > 0; --i)
            bytes.append(char(pieces[pick(random)]));
        const QString viaQt = QString::fromUtf8(bytes);
        const bool valid = viaQt.toUtf8() == bytes;
        const Utf8Scan scan = scanUtf8(bytes);
        ASSERT_EQ(scan.valid, valid) << bytes.toHex(' ').toStdString();
        if (valid) {
            ++validSeen;
            ASSERT_EQ(scan.utf16Length, viaQt.size()) << bytes.toHex(' ').toStdString();
            QString decoded(scan.utf16Length, Qt::Uninitialized);
            decodeValidUtf8Into(bytes, reinterpret_cast<char16_t*>(decoded.data()));
            ASSERT_EQ(decoded, viaQt) << bytes.toHex(' ').toStdString();
        }
    }
    // The generator must reach both outcomes for the comparison to mean much.
    EXPECT_GT(validSeen, 1000);
}

TEST(Utf8, EncodesLikeQtAndReplacesLoneSurrogates)
{
    const QString texts[] = {u""_s, u"plain"_s, u"žluťoučký kůň"_s, u"€ 中 😀 \U0010FFFF"_s,
                             QString(QChar(0x7FF)) + QChar(0x800) + QChar(0xFFFF)};
    for (const QString& text : texts) {
        QByteArray out = "x";
        appendUtf8(out, text);
        EXPECT_EQ(out, "x" + text.toUtf8()) << text.toStdString();
    }
    const char16_t lone[] = {u'a', 0xDC00, 0xD800, u'b', 0xD800};
    QByteArray out;
    appendUtf8(out, QStringView(lone, std::size(lone)));
    EXPECT_EQ(out, QByteArray("a\xEF\xBF\xBD\xEF\xBF\xBD"
                              "b\xEF\xBF\xBD"));
}

} // namespace
} // namespace qw
