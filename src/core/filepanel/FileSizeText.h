#pragma once

#include <QString>

namespace qw {

// The size column of the file list in Czech: up to 1000 bytes the number and
// "bajt" (1), "bajty" (2 to 4) or "bajtů" (0, 5 to 1000); above that the size
// in kilobytes (n / 1024) with one decimal, the Czech thousands separator and
// decimal comma, and "kB", where a decimal part of ",0" is left out
// ("1 kB", "1,5 kB", "1 024 kB").
QString fileSizeText(qint64 bytes);

} // namespace qw
