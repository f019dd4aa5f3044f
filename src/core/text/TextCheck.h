#pragma once

#include <QByteArrayView>
#include <QString>

namespace qw {

// How much of a file decides whether it is text: the first 64 KiB, as the
// file(1) command reads for its own test.
inline constexpr qsizetype kTextCheckBytes = 64 * 1024;

// Whether bytes (their first kTextCheckBytes) read as text: none of them is
// a control character that text never holds. Tabs, line and form feeds,
// carriage returns, escapes, backspaces and bells are text; NUL, the other
// C0 controls and DEL are not. Bytes from 0x80 up are letters of some code
// page. This is the test file(1) makes before it calls a file "data", so a
// picture, an archive or a UTF-16 page (full of NUL bytes the editor would
// drop) is caught before a save could rewrite it.
bool looksLikeText(QByteArrayView bytes);

// The same test on the start of the file at path; true when it cannot be
// read (the reading itself then reports the failure).
bool fileLooksLikeText(const QString& path);

} // namespace qw
