#include "core/elements/JpegDecoder.h"

#include "TestJpeg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace qw {
namespace {

using test::encodeTestJpeg;

TEST(JpegDecoder, DecodesSizeAndColours)
{
    const RgbPicture picture = decodeJpeg(encodeTestJpeg(101, 51));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width, 101);
    EXPECT_EQ(picture.height, 51);
    ASSERT_EQ(picture.rgb.size(), 101 * 51 * 3);
    const auto* first = reinterpret_cast<const uchar*>(picture.rgb.constData());
    EXPECT_GT(first[0], 200); // red on the left
    EXPECT_LT(first[2], 60);
    const uchar* last = first + (101 * 3 - 3);
    EXPECT_LT(last[0], 60); // blue on the right
    EXPECT_GT(last[2], 200);
}

TEST(JpegDecoder, BrokenDataGivesNullPicture)
{
    const QByteArray good = encodeTestJpeg(101, 51);
    QByteArray garbledBody = good;
    for (qsizetype i = 20; i < garbledBody.size() - 2; i += 3)
        garbledBody[i] = char(0xFF);
    const struct
    {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"not a jpeg", QByteArray("GIF89a\x01\x00\x01\x00", 10)},
        {"header only", good.left(20)},
        {"cut in the middle", good.left(good.size() / 2)},
        {"last bytes missing", good.left(good.size() - 2)},
        {"garbled", garbledBody},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(decodeJpeg(c.data).isNull());
    }
}

TEST(JpegDecoder, RefusesPicturesLargerThanTheLimit)
{
    EXPECT_TRUE(decodeJpeg(encodeTestJpeg(101, 51), 101 * 50).isNull());
    EXPECT_FALSE(decodeJpeg(encodeTestJpeg(101, 51), 101 * 51).isNull());
}

} // namespace
} // namespace qw
