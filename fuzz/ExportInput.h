#pragma once

// The arguments both export converters take, cut from the fuzzer's bytes:
// every field of the look (font names and sizes come from a settings file a
// person may edit by hand) and the document's lines, free of line breaks as
// the editor's lines are.

#include "FuzzSupport.h"
#include "core/highlight/ExportLook.h"

#include <QStringList>

namespace qw::fuzz {

inline int intOf(Input& input)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | input.byte();
    return static_cast<int>(value);
}

struct ExportInput
{
    ExportLook look;
    QStringList lines;
};

inline ExportInput exportInput(const std::uint8_t* data, std::size_t size)
{
    Input input(data, size);
    ExportInput result;
    const std::uint8_t choice = input.byte();
    ExportLook& look = result.look;
    look.alignment = static_cast<TextAlignment>(input.byte() % 4);
    if ((choice & 4) != 0) {
        look.fontSize = intOf(input);
        look.altFontSize = intOf(input);
    }
    if ((choice & 8) != 0) {
        look.textColor = ColorRef(intOf(input));
        look.backgroundColor = ColorRef(intOf(input));
    }
    for (HighlightStyle& style : look.styles) {
        const std::uint8_t flags = input.byte();
        style.bold = (flags & 1) != 0;
        style.italic = (flags & 2) != 0;
        style.underline = (flags & 4) != 0;
        style.strikeOut = (flags & 8) != 0;
        style.altFont = (flags & 16) != 0;
        style.hasBackground = (flags & 32) != 0;
        style.foreground = ColorRef(flags) * 0x010203u;
        style.background = ColorRef(flags) * 0x030201u;
    }
    look.fontName = textOf(input.part('\0'), choice);
    look.altFontName = textOf(input.part('\0'), choice);
    const QString text = textOf(input.rest(), choice);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\r' && text[i] != u'\n')
            continue;
        result.lines.append(text.sliced(start, i - start));
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if ((choice & 16) != 0 && result.lines == QStringList{QString()})
        result.lines.clear();
    return result;
}

inline bool isAscii(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace qw::fuzz
