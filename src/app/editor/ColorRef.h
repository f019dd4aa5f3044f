#pragma once

#include "core/settings/HighlightStyle.h"

#include <QColor>

namespace qw {

// A stored colour as the window draws it.
QColor toQColor(ColorRef color);
ColorRef fromQColor(const QColor& color);

} // namespace qw
