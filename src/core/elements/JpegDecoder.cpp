#include "core/elements/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace qw {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// it jumps back into decodeJpeg. Some warnings mean picture data is lost (the
// file is cut short, or its entropy-coded data is broken): libjpeg would fill
// the gap with grey or noise, we refuse the picture instead. Stray bytes
// between markers lose nothing and are let through.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated = false; // picture data lost
};

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    if (level >= 0)
        return;
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
        manager->truncated = true;
        break;
    default:
        break;
    }
}

// Everything with automatic storage that longjmp may skip over lives outside
// the function that calls setjmp.
bool decodeInto(jpeg_decompress_struct& info, ErrorManager& errors, const QByteArray& data,
                qint64 maxPixels, RgbPicture& out)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (qint64(info.image_width) * qint64(info.image_height) > maxPixels)
        return false;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (info.output_components != 3)
        return false;
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    const qsizetype stride = qsizetype(out.width) * 3;
    out.rgb.resize(stride * out.height);
    while (info.output_scanline < info.output_height) {
        auto* row = reinterpret_cast<JSAMPLE*>(out.rgb.data() + stride * info.output_scanline);
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(&info, rows, 1);
        if (errors.truncated)
            return false;
    }
    jpeg_finish_decompress(&info);
    return !errors.truncated;
}

} // namespace

bool looksLikeJpeg(const QByteArray& data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 &&
           uchar(data[2]) == 0xFF;
}

RgbPicture decodeJpeg(const QByteArray& data, qint64 maxPixels)
{
    if (!looksLikeJpeg(data))
        return {};
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.emit_message = onMessage;
    RgbPicture picture;
    const bool ok = decodeInto(info, errors, data, maxPixels, picture);
    jpeg_destroy_decompress(&info);
    if (!ok)
        return {};
    return picture;
}

} // namespace qw
