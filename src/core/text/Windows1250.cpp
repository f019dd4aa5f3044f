#include "core/text/Windows1250.h"

#include <array>
#include <cstdint>

namespace qw {

namespace {

// Bytes 0x80..0xFF; below 0x80 the code page is ASCII.
constexpr std::array<char16_t, 128> kHighHalf = {
    // clang-format off
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
    // clang-format on
};

constexpr std::array<char16_t, 256> makeDecodeTable()
{
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 0x80; ++b)
        table[b] = char16_t(b);
    for (int b = 0x80; b < 0x100; ++b)
        table[b] = kHighHalf[b - 0x80];
    return table;
}

// Every UTF-16 unit to its byte; 0 means "not in the code page" (no
// character at or above 0x80 maps to byte 0, and ASCII never looks here).
// A flat table keeps encoding a plain indexed load per character.
constexpr std::array<std::uint8_t, 65536> makeEncodeTable()
{
    std::array<std::uint8_t, 65536> table{};
    for (int b = 0x80; b < 0x100; ++b)
        table[kHighHalf[b - 0x80]] = std::uint8_t(b);
    return table;
}

constexpr std::array<char16_t, 256> kDecode = makeDecodeTable();
constexpr std::array<std::uint8_t, 65536> kEncode = makeEncodeTable();

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendReference(QByteArray& out, char32_t codePoint)
{
    char digits[10];
    int n = 0;
    do {
        digits[n++] = char('0' + codePoint % 10);
        codePoint /= 10;
    } while (codePoint != 0);
    out.append("&#", 2);
    while (n > 0)
        out.append(digits[--n]);
    out.append(';');
}

} // namespace

char16_t windows1250Char(unsigned char byte)
{
    return kDecode[byte];
}

char16_t* decodeWindows1250Into(QByteArrayView bytes, char16_t* out)
{
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = in + bytes.size();
    while (in != end)
        *out++ = kDecode[*in++];
    return out;
}

QString decodeWindows1250(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    decodeWindows1250Into(bytes, reinterpret_cast<char16_t*>(text.data()));
    return text;
}

void appendWindows1250(QByteArray& out, QStringView text)
{
    const char16_t* in = text.utf16();
    const char16_t* end = in + text.size();
    // Room for the common case of one byte a character, written through a
    // raw pointer; a reference that does not fit falls back to appending.
    qsizetype used = out.size();
    out.resize(used + text.size());
    char* dst = out.data() + used;
    while (in != end) {
        const char16_t c = *in;
        if (c < 0x80) {
            *dst++ = char(c);
            ++in;
            continue;
        }
        if (const std::uint8_t b = kEncode[c]; b != 0) {
            *dst++ = char(b);
            ++in;
            continue;
        }
        char32_t codePoint = 0xFFFD;
        if (isHighSurrogate(c) && in + 1 != end && isLowSurrogate(in[1])) {
            codePoint = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(in[1]) - 0xDC00);
            in += 2;
        } else {
            if (!isHighSurrogate(c) && !isLowSurrogate(c))
                codePoint = c;
            ++in;
        }
        // Keep what is written, append the reference, and reopen room for
        // the characters still to come.
        used = dst - out.data();
        out.truncate(used);
        appendReference(out, codePoint);
        used = out.size();
        out.resize(used + (end - in));
        dst = out.data() + used;
    }
    out.truncate(dst - out.data());
}

QByteArray encodeWindows1250(QStringView text)
{
    QByteArray out;
    appendWindows1250(out, text);
    return out;
}

} // namespace qw
