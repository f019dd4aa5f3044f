#include "core/elements/JpegDecoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace qw {
namespace {

// A real JPEG of the given size: left half red, right half blue.
QByteArray encodeJpeg(int width, int height)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    QByteArray row(width * 3, '\0');
    for (int x = 0; x < width; ++x) {
        const bool left = x < width / 2;
        row[x * 3] = char(left ? 255 : 0);
        row[x * 3 + 2] = char(left ? 0 : 255);
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE*>(row.data())};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray out(reinterpret_cast<const char*>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

TEST(JpegDecoder, DecodesSizeAndColours)
{
    const RgbPicture picture = decodeJpeg(encodeJpeg(101, 51));
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
    const QByteArray good = encodeJpeg(101, 51);
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
    EXPECT_TRUE(decodeJpeg(encodeJpeg(101, 51), 101 * 50).isNull());
    EXPECT_FALSE(decodeJpeg(encodeJpeg(101, 51), 101 * 51).isNull());
}

} // namespace
} // namespace qw
