#include "app/editor/ColorRef.h"

namespace qw {

QColor toQColor(ColorRef color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

ColorRef fromQColor(const QColor& color)
{
    return rgbToColorRef(color.red(), color.green(), color.blue());
}

} // namespace qw
