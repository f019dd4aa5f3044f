#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

namespace qw {

// Our own strict UTF-8: only the shortest form of each code point is valid;
// surrogates (U+D800..U+DFFF) and anything above U+10FFFF are rejected, as
// are truncated sequences. Strictness matters because a file we take for
// UTF-8 must come back byte for byte when it is saved.
struct Utf8Scan
{
    bool valid = false;
    // At least one character of two or more bytes.
    bool hasMultiByte = false;
    // UTF-16 code units the bytes decode to (meaningful only when valid).
    qsizetype utf16Length = 0;
};

Utf8Scan scanUtf8(QByteArrayView bytes);

// Decodes bytes that scanUtf8 found valid to out, which must have room for
// utf16Length characters; returns the position after the last one written.
char16_t* decodeValidUtf8Into(QByteArrayView bytes, char16_t* out);

// Appends text as UTF-8. A lone surrogate, which names no character, is
// written as U+FFFD.
void appendUtf8(QByteArray& out, QStringView text);

} // namespace qw
