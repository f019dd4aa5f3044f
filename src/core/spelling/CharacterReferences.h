#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace qw {

// A character reference at `at` of UTF-8 source ("&scaron;", "&#345;",
// "&#x159;"): the character and where the reference ends, or 0 with `end`
// untouched when no reference starts there (a lone ampersand is text).
char32_t decodeCharacterReference(QByteArrayView source, qsizetype at, qsizetype* end);

// UTF-8 source with its references decoded, and where each UTF-16 unit of
// the result came from: sourceOffsets[i] is the source byte of unit i, and
// one more entry holds the source's end, so a range of the text maps back.
struct DecodedText
{
    QString text;
    QList<qsizetype> sourceOffsets;
};

DecodedText decodeText(QByteArrayView source, qsizetype from, qsizetype to);

} // namespace qw
