#include "core/text/Windows1250.h"

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(Windows1250, EveryByteValueRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1250(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(encodeWindows1250(text), all);
}

TEST(Windows1250, RandomBytesRoundTrip)
{
    std::mt19937 random(1250);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes(round * 97, Qt::Uninitialized);
        for (char& c : bytes)
            c = char(byte(random));
        EXPECT_EQ(encodeWindows1250(decodeWindows1250(bytes)), bytes) << "round " << round;
    }
}

TEST(Windows1250, UndefinedBytesBecomeC1Controls)
{
    for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98})
        EXPECT_EQ(windows1250Char(b), char16_t(b)) << int(b);
}

TEST(Windows1250, CzechLettersDecodeAndEncode)
{
    // The same letters as the code page writes them, byte by byte.
    const QByteArray bytes = "\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xF9\xFA "
                             "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xD9\xDA "
                             "\xEF\x9D\xF2 \x80\x84\x93";
    const QString text = u"ěščřžýáíéůú ĚŠČŘŽÝÁÍÉŮÚ ďťň €„“"_s;
    EXPECT_EQ(decodeWindows1250(bytes), text);
    EXPECT_EQ(encodeWindows1250(text), bytes);
}

TEST(Windows1250, CharactersOutsideTheCodePageBecomeReferences)
{
    struct Case
    {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u"a中b"_s, "a&#20013;b"},
        {u"😀"_s, "&#128512;"},                          // a surrogate pair is one code point
        {u"x\u00FFy"_s, "x&#255;y"},                    // ÿ is Latin-1 but not in this code page
        {u"\u4E2D\u4E2D"_s, "&#20013;&#20013;"},        // references back to back
        {QString(QChar(0xD800)) + u"z"_s, "&#65533;z"}, // a lone surrogate names no character
        {u"z"_s + QChar(0xDC00), "z&#65533;"},
        {u"Ω ě"_s, "&#937; \xEC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(encodeWindows1250(c.text), c.bytes) << c.text.toStdString();
}

TEST(Windows1250, AppendKeepsWhatIsAlreadyThere)
{
    QByteArray out = "head:";
    appendWindows1250(out, u"\u4E2Dě"_s);
    EXPECT_EQ(out, QByteArray("head:&#20013;\xEC"));
}

} // namespace
} // namespace qw
