#pragma once

#include "core/settings/HighlightStyle.h"

#include <QColor>

namespace qw {

// A stored colour as the window draws it: system colours through the
// palette, "no colour" as an invalid QColor.
QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor& color);

} // namespace qw
