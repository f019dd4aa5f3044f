#pragma once

#include <QString>

namespace qw {

// The file a picture address in a dialog names, for the preview: an absolute
// path as it is, a "file:" address as its local path, a relative address
// against the folder of the current document (backslashes taken as folder
// separators). Empty when there is nothing on disk to show: an empty address,
// a web address, or a relative one while the document has no file yet.
QString picturePreviewPath(const QString& address, const QString& documentPath);

} // namespace qw
