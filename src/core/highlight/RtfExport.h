#pragma once

#include "core/highlight/ExportLook.h"

#include <QByteArray>
#include <QStringList>

namespace qw {

// The document as an RTF file with its colouring. The bytes are plain ASCII:
// every other character is written as a Unicode escape, so Czech letters
// survive in any reader whatever its code page.
QByteArray exportRtf(const QStringList& lines, const ExportLook& look);

} // namespace qw
