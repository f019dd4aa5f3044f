#include "core/text/Utf8.h"

#include <cstdint>
#include <cstring>

namespace qw {

namespace {

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Eight bytes at a time while they are all ASCII: most of an HTML page is.
const unsigned char* skipAscii(const unsigned char* p, const unsigned char* end)
{
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            break;
        p += 8;
    }
    while (p != end && *p < 0x80)
        ++p;
    return p;
}

} // namespace

Utf8Scan scanUtf8(QByteArrayView bytes)
{
    Utf8Scan scan;
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = begin + bytes.size();
    const auto* p = begin;
    qsizetype multiByteChars = 0; // characters of 2 or 3 bytes
    qsizetype fourByteChars = 0;
    qsizetype multiByteBytes = 0;
    for (;;) {
        p = skipAscii(p, end);
        if (p == end)
            break;
        const unsigned char lead = *p;
        // The first continuation byte has a narrower range after E0, ED, F0
        // and F4: that is what shuts out overlongs, surrogates and code
        // points past U+10FFFF.
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return scan; // a stray continuation byte, C0, C1 or F5..FF
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return scan;
        for (int i = 2; i < length; ++i) {
            if (!isContinuation(p[i]))
                return scan;
        }
        if (length == 4)
            ++fourByteChars;
        else
            ++multiByteChars;
        multiByteBytes += length;
        p += length;
    }
    scan.valid = true;
    scan.hasMultiByte = multiByteChars + fourByteChars > 0;
    // Every ASCII byte and every 2- or 3-byte character is one unit; a
    // 4-byte character is a surrogate pair.
    scan.utf16Length = (bytes.size() - multiByteBytes) + multiByteChars + 2 * fourByteChars;
    return scan;
}

char16_t* decodeValidUtf8Into(QByteArrayView bytes, char16_t* out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p != end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            *out++ = lead;
            ++p;
        } else if (lead < 0xE0) {
            *out++ = char16_t(((lead & 0x1F) << 6) | (p[1] & 0x3F));
            p += 2;
        } else if (lead < 0xF0) {
            *out++ = char16_t(((lead & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            p += 3;
        } else {
            const char32_t cp = (char32_t(lead & 0x07) << 18) | (char32_t(p[1] & 0x3F) << 12) |
                                (char32_t(p[2] & 0x3F) << 6) | char32_t(p[3] & 0x3F);
            *out++ = char16_t(0xD800 + ((cp - 0x10000) >> 10));
            *out++ = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
            p += 4;
        }
    }
    return out;
}

void appendUtf8(QByteArray& out, QStringView text)
{
    const char16_t* in = text.utf16();
    const char16_t* end = in + text.size();
    // One UTF-16 unit never needs more than three bytes (a pair needs four
    // for two units), so this much room is always enough.
    const qsizetype used = out.size();
    out.resize(used + 3 * text.size());
    auto* dst = reinterpret_cast<unsigned char*>(out.data()) + used;
    auto* const start = reinterpret_cast<unsigned char*>(out.data());
    while (in != end) {
        char32_t c = *in++;
        if (c < 0x80) {
            *dst++ = (unsigned char)c;
            continue;
        }
        if (c < 0x800) {
            *dst++ = (unsigned char)(0xC0 | (c >> 6));
            *dst++ = (unsigned char)(0x80 | (c & 0x3F));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            if (c <= 0xDBFF && in != end && *in >= 0xDC00 && *in <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(*in++) - 0xDC00);
                *dst++ = (unsigned char)(0xF0 | (c >> 18));
                *dst++ = (unsigned char)(0x80 | ((c >> 12) & 0x3F));
                *dst++ = (unsigned char)(0x80 | ((c >> 6) & 0x3F));
                *dst++ = (unsigned char)(0x80 | (c & 0x3F));
                continue;
            }
            c = 0xFFFD;
        }
        *dst++ = (unsigned char)(0xE0 | (c >> 12));
        *dst++ = (unsigned char)(0x80 | ((c >> 6) & 0x3F));
        *dst++ = (unsigned char)(0x80 | (c & 0x3F));
    }
    out.truncate(dst - start);
}

} // namespace qw
