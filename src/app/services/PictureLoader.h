#pragma once

#include <QImage>
#include <QString>

namespace qw {

// Loads a picture file for a dialog's preview: JPEG through libjpeg, every
// other kind through the readers Qt has (GIF, PNG, SVG, and WebP and more
// with the image format plugins). A missing, unreadable, corrupt or huge
// file, or a kind Qt cannot read, gives a null image and never a message.
QImage loadPicture(const QString& path);

} // namespace qw
