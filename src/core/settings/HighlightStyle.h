#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

namespace qw {

// A colour as the settings store it: 00BBGGRR (blue, green, red). The core
// has no QtGui, so colours travel as these integers and the window turns them
// into QColor.
using ColorRef = quint32;

inline constexpr ColorRef rgbToColorRef(int r, int g, int b)
{
    return static_cast<ColorRef>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

// The element classes of the HTML colouring, in the order the settings
// dialog lists them.
enum class StyleClass {
    Bracket,
    DefaultText,
    HtmlKeyword,
    HtmlTag,
    HtmlComment,
    HtmlAttribute,
    HtmlAttributeValue,
    ScriptTag,
    ScriptContent,
    SpecialChars,
    UnknownTag,
};
inline constexpr std::size_t StyleClassCount = 11;

struct HighlightStyle {
    ColorRef foreground = 0;
    bool hasBackground = false; // false keeps the editor's background
    ColorRef background = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool altFont = false;

    friend bool operator==(const HighlightStyle&, const HighlightStyle&) = default;
};

using HighlightStyles = std::array<HighlightStyle, StyleClassCount>;

inline HighlightStyle& styleOf(HighlightStyles& styles, StyleClass c)
{
    return styles[static_cast<std::size_t>(c)];
}
inline const HighlightStyle& styleOf(const HighlightStyles& styles, StyleClass c)
{
    return styles[static_cast<std::size_t>(c)];
}

// The look of every class before any stored setting is applied.
inline HighlightStyles defaultHighlightStyles()
{
    HighlightStyles s{};
    auto set = [&s](StyleClass c, ColorRef fore, bool bold, bool italic) {
        HighlightStyle& st = styleOf(s, c);
        st.foreground = fore;
        st.bold = bold;
        st.italic = italic;
    };
    set(StyleClass::HtmlKeyword, 0x800000, true, false);
    set(StyleClass::HtmlTag, 0x8000FF, false, true);
    set(StyleClass::Bracket, 0x0080FF, false, false);
    set(StyleClass::UnknownTag, 0x0000FF, false, false);
    set(StyleClass::HtmlAttribute, 0x008000, false, false);
    set(StyleClass::HtmlAttributeValue, 0x808080, false, false);
    set(StyleClass::HtmlComment, 0x008080, false, true);
    set(StyleClass::SpecialChars, 0xFF00FF, false, false);
    set(StyleClass::ScriptContent, 0x0000FF, false, false);
    set(StyleClass::ScriptTag, 0x800080, true, false);
    set(StyleClass::DefaultText, 0x000000, false, false);
    return s;
}

} // namespace qw
