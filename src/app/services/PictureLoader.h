#pragma once

#include <QImage>
#include <QString>

namespace qw {

// Loads a picture file for a dialog's preview: JPEG through libjpeg, GIF and
// PNG through Qt. A missing, unreadable, corrupt or huge file gives a null
// image and never a message.
QImage loadPicture(const QString& path);

} // namespace qw
