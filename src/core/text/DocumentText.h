#pragma once

#include "core/text/LineBreak.h"
#include "core/text/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qw {

// A file's content as the editor takes it.
struct DecodedDocument
{
    // Every line followed by CR LF: a file that is not empty always gives a
    // text ending in CR LF, an empty file an empty text.
    QString text;
    TextEncoding encoding = TextEncoding::Windows1250;
};

// The encoding opening gives a file's bytes, where its text starts (after a
// byte-order mark) and the UTF-16 length of that text before its lines are
// split; a UTF-8 encoding is given only for valid bytes.
struct DetectedEncoding
{
    TextEncoding encoding = TextEncoding::Windows1250;
    qsizetype contentStart = 0;
    qsizetype decodedLength = 0;
};
DetectedEncoding detectDocumentEncoding(QByteArrayView fileBytes);

// Detects the encoding of a file's bytes, decodes them and splits them into
// lines: CR LF, CR alone and LF alone each end a line, and a break at the
// very end does not start another line. One pass over the bytes after the
// detection, into a string allocated once.
DecodedDocument decodeDocument(QByteArrayView fileBytes);

// The bytes of a file for the editor's text (lines joined by CR LF): the
// lines joined by lineBreak, no break after the last one, in encoding (a
// byte-order mark first for Utf8Bom). CR or LF characters that are not part
// of a CR LF pair belong to their line and are written unchanged.
QByteArray encodeDocument(QStringView text, LineBreak lineBreak, TextEncoding encoding);

} // namespace qw
