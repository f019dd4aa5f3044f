#pragma once

#include "core/text/AtomicFileWriter.h"
#include "core/text/LineBreak.h"
#include "core/text/TextEncoding.h"

#include <QString>
#include <QStringView>

namespace qw {

struct DocumentReadResult
{
    bool ok = false;
    // The editor's text (see decodeDocument) and the encoding to save in.
    QString text;
    TextEncoding encoding = TextEncoding::Windows1250;
    // False when the file's start is not text (looksLikeText): saving the
    // editor's text over it would ruin it.
    bool looksLikeText = true;
    // The system's reason when ok is false.
    QString errorText;
};

// Reads a whole document file for the editor.
DocumentReadResult readDocumentFile(const QString& path);

// Writes the editor's text (lines joined by CR LF) to path with lineBreak
// between the lines, in encoding, replacing the file atomically.
FileWriteResult writeDocumentFile(const QString& path, QStringView text, LineBreak lineBreak,
                                  TextEncoding encoding);

} // namespace qw
