#pragma once

#include "core/text/DocumentText.h"

#include <QByteArray>
#include <QByteArrayView>

namespace qw {

// The charset a Content-Type header names ("text/html; charset=\"UTF-8\""
// gives "utf-8"): lower case, without quotes or blanks; empty when the
// header names none.
QByteArray contentTypeCharset(QByteArrayView contentType);

// A page fetched from a web server, as the editor takes it (every line
// followed by CR LF, like a file read from disk).
//
// A UTF-8 byte-order mark before valid UTF-8 decides first, as it does in a
// browser. Otherwise a charset named by the server wins over any guess:
// UTF-8 (bytes that are not UTF-8 show as U+FFFD, as a browser shows them),
// Windows-1250 through our own table, and any other charset the system's
// converters know. A page in another code page is saved in Windows-1250,
// where letters it lacks become character references; a page in a Unicode
// charset is saved in UTF-8. A missing or unknown charset leaves the bytes
// to be read as a file is (decodeDocument).
DecodedDocument decodeDownloadedPage(QByteArrayView bytes, QByteArrayView contentType);

} // namespace qw
