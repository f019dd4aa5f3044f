#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qw {

// Windows-1250 through our own table, so that the result never depends on
// which code pages the system's converters happen to know.
//
// Decoding maps every byte to exactly one character. The five bytes the code
// page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) become the C1 control
// characters of the same value, so decoding and encoding again gives back the
// same bytes for any input: opening and saving a file never changes it.
//
// Encoding writes every character the table holds as its byte and anything
// else as the numeric character reference "&#N;" (N the decimal code point; a
// surrogate pair is one code point), so a page never loses a character. A
// lone surrogate, which names no character, is written as "&#65533;".
QString decodeWindows1250(QByteArrayView bytes);
QByteArray encodeWindows1250(QStringView text);

// The character a byte stands for.
char16_t windows1250Char(unsigned char byte);

// Decodes bytes to out, which must have room for bytes.size() characters;
// returns the position after the last one written.
char16_t* decodeWindows1250Into(QByteArrayView bytes, char16_t* out);

// Appends the encoding of text to out.
void appendWindows1250(QByteArray& out, QStringView text);

} // namespace qw
