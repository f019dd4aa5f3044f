#pragma once

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace qw::test {

// A real JPEG of the given size: left half red, right half blue.
inline QByteArray encodeTestJpeg(int width, int height)
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

} // namespace qw::test
