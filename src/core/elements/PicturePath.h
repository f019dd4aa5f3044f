#pragma once

#include <QString>

namespace qw {

// The file a picture address in a dialog names, for the preview: an absolute
// path as it is, a "file:" address as its local path, a relative address
// against the folder of the current document (backslashes taken as folder
// separators). Empty when there is nothing on disk to show: an empty address,
// a web address, or a relative one while the document has no file yet.
QString picturePreviewPath(const QString& address, const QString& documentPath);

// The filter of the picture file dialog in the stored form ("name|mask|..."):
// every picture kind a page shows today (GIF, JPEG, PNG, WebP, SVG, AVIF)
// together and each on its own, then every file.
QString pictureFilterText();

} // namespace qw
