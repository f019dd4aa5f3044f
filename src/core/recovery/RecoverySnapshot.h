#pragma once

#include "core/text/FileStamp.h"
#include "core/text/LineBreak.h"
#include "core/text/TextEncoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace qw {

// What it takes to give an unsaved document back after a crash: its file's
// path (or the name a new document had, "dokument3"), how it is saved, and
// the editor's text (lines joined by CR LF).
struct RecoverySnapshot
{
    QString path;
    TextEncoding encoding = TextEncoding::Windows1250;
    LineBreak lineBreak = LineBreak::CrLf;
    QString text;
    // The file as the document last read or wrote it, when it knew one: a
    // save after the restore asks first if another program changed it since.
    std::optional<FileStamp> stamp;
    // Who wrote it; informative only, the owner's lock decides.
    qint64 ownerPid = 0;
    QString instanceId;
};

// A short text header (one "name: value" line each, values percent-encoded
// UTF-8), an empty line, then the text as UTF-8.
QByteArray encodeSnapshot(const RecoverySnapshot& snapshot);
// The same with the text given as its UTF-8 bytes (snapshot.text unused), so
// a large text is never decoded only to be encoded again.
QByteArray encodeSnapshot(const RecoverySnapshot& header, QByteArrayView utf8Text);
// Nothing when the bytes are not a snapshot this program wrote.
std::optional<RecoverySnapshot> decodeSnapshot(QByteArrayView bytes);

} // namespace qw
