#pragma once

#include <QByteArrayView>

namespace qw {

// How a document's bytes are turned into text and back. A document keeps the
// encoding it was read in, so saving writes the same kind of file.
enum class TextEncoding {
    Windows1250, // the default; every byte value round-trips
    Utf8,        // valid UTF-8 with a multi-byte character, or declared so
    Utf8Bom,     // UTF-8 behind a byte-order mark, which is written back
};

// The byte-order mark of UTF-8.
inline constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF", 3);

// Decides how a file's bytes are read. A byte-order mark means UTF-8 when
// what follows it is valid UTF-8; valid UTF-8 with a multi-byte character
// means UTF-8; plain ASCII whose own charset declaration names UTF-8 is
// UTF-8 (the bytes are the same, but the next Czech letter must not be
// written as Windows-1250); everything else (other ASCII, invalid UTF-8, an
// empty file) is Windows-1250.
//
// A byte-order mark followed by bytes that are not UTF-8 is read as
// Windows-1250 too: decoding those bytes as UTF-8 would replace them, and the
// file would be damaged on the next save. As Windows-1250 every byte,
// including the mark, comes back unchanged.
TextEncoding detectEncoding(QByteArrayView bytes);

} // namespace qw
