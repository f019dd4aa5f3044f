#pragma once

#include "core/settings/HighlightStyle.h"

#include <QString>

namespace qw {

enum class TextAlignment { Left, Right, Center, Justify };

// What the exported listing looks like: the editor's fonts and colours and
// the colouring styles. Sizes are in points.
struct ExportLook
{
    QString fontName = QStringLiteral("Courier New");
    int fontSize = 10;
    QString altFontName = QStringLiteral("Arial");
    int altFontSize = 10;
    ColorRef textColor = rgbToColorRef(0, 0, 0);
    ColorRef highlightTextColor = rgbToColorRef(255, 255, 255);
    ColorRef backgroundColor = rgbToColorRef(255, 255, 255);
    ColorRef highlightBackgroundColor = rgbToColorRef(0, 0, 128);
    TextAlignment alignment = TextAlignment::Left;
    HighlightStyles styles = defaultHighlightStyles();
};

} // namespace qw
