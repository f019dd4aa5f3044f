#include "core/highlight/HtmlElements.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace qw {

namespace {

using namespace std::string_view_literals;

constexpr std::array kNames = {
    "SCRIPT"sv,
    "A"sv,
    "ADDRESS"sv,
    "ACRONYM"sv,
    "APPLET"sv,
    "AREA"sv,
    "B"sv,
    "BASE"sv,
    "BASEFONT"sv,
    "BGSOUND"sv,
    "BIG"sv,
    "BLINK"sv,
    "BLOCKQUOTE"sv,
    "BODY"sv,
    "BR"sv,
    "BUTTON"sv,
    "CAPTION"sv,
    "CITE"sv,
    "CENTER"sv,
    "CODE"sv,
    "COL"sv,
    "COLGROUP"sv,
    "COMMENT"sv,
    "DD"sv,
    "DEL"sv,
    "DFN"sv,
    "DIR"sv,
    "DIV"sv,
    "DL"sv,
    "DT"sv,
    "EM"sv,
    "EMBED"sv,
    "FIELDSET"sv,
    "FORM"sv,
    "FONT"sv,
    "FRAME"sv,
    "FRAMESET"sv,
    "H1"sv,
    "H2"sv,
    "H3"sv,
    "H4"sv,
    "H5"sv,
    "H6"sv,
    "HEAD"sv,
    "HR"sv,
    "HTML"sv,
    "I"sv,
    "IFRAME"sv,
    "ILAYER"sv,
    "IMG"sv,
    "INPUT"sv,
    "INS"sv,
    "ISINDEX"sv,
    "KBD"sv,
    "KEYGEN"sv,
    "LABEL"sv,
    "LAYER"sv,
    "LEGEND"sv,
    "LI"sv,
    "LINK"sv,
    "LISTING"sv,
    "MAP"sv,
    "MARQUEE"sv,
    "MENU"sv,
    "META"sv,
    "MULTICOL"sv,
    "NEXTID"sv,
    "NOBR"sv,
    "NOEMBED"sv,
    "NOFRAMES"sv,
    "NOLAYER"sv,
    "NOSCRIPT"sv,
    "OBJECT"sv,
    "OL"sv,
    "OPTION"sv,
    "P"sv,
    "PARAM"sv,
    "PLAINTEXT"sv,
    "Q"sv,
    "S"sv,
    "SAMP"sv,
    "SELECT"sv,
    "SOUND"sv,
    "SMALL"sv,
    "SPACER"sv,
    "SPAN"sv,
    "STRIKE"sv,
    "STRONG"sv,
    "STYLE"sv,
    "SUB"sv,
    "SUP"sv,
    "TABLE"sv,
    "TBODY"sv,
    "TD"sv,
    "TEXTAREA"sv,
    "TFOOT"sv,
    "TH"sv,
    "THEAD"sv,
    "TITLE"sv,
    "TR"sv,
    "TT"sv,
    "U"sv,
    "UL"sv,
    "VAR"sv,
    "WBR"sv,
    // The elements HTML5 added, and the older ones the list above lacked.
    "ABBR"sv,
    "ARTICLE"sv,
    "ASIDE"sv,
    "AUDIO"sv,
    "BDI"sv,
    "BDO"sv,
    "CANVAS"sv,
    "DATA"sv,
    "DATALIST"sv,
    "DETAILS"sv,
    "DIALOG"sv,
    "FIGCAPTION"sv,
    "FIGURE"sv,
    "FOOTER"sv,
    "HEADER"sv,
    "HGROUP"sv,
    "MAIN"sv,
    "MARK"sv,
    "METER"sv,
    "NAV"sv,
    "OPTGROUP"sv,
    "OUTPUT"sv,
    "PICTURE"sv,
    "PRE"sv,
    "PROGRESS"sv,
    "RP"sv,
    "RT"sv,
    "RUBY"sv,
    "SEARCH"sv,
    "SECTION"sv,
    "SLOT"sv,
    "SOURCE"sv,
    "SUMMARY"sv,
    "TEMPLATE"sv,
    "TIME"sv,
    "TRACK"sv,
    "VIDEO"sv,
    "!DOCTYPE"sv,
};
static_assert(kNames.size() == 143);

constexpr std::array kWithoutAttributes = {"B"sv, "BR"sv, "HEAD"sv,  "HTML"sv,
                                           "I"sv, "S"sv,  "TITLE"sv, "U"sv};
constexpr std::array kWithoutEndTag = {"SCRIPT"sv, "BASE"sv,  "BASEFONT"sv, "BR"sv,
                                       "FRAME"sv,  "IMG"sv,   "INPUT"sv,    "META"sv,
                                       "SOURCE"sv, "TRACK"sv, "!DOCTYPE"sv};

template<std::size_t N>
constexpr bool listed(const std::array<std::string_view, N>& list, std::string_view name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

constexpr std::size_t kLongestName = [] {
    std::size_t longest = 0;
    for (std::string_view n : kNames)
        longest = std::max(longest, n.size());
    return longest;
}();

const std::array<HtmlElement, kNames.size()> kElements = [] {
    std::array<HtmlElement, kNames.size()> elements{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const std::string_view n = kNames[i];
        elements[i] = {QLatin1StringView(n.data(), qsizetype(n.size())),
                       !listed(kWithoutAttributes, n), !listed(kWithoutEndTag, n)};
    }
    return elements;
}();

// An open-addressed hash table of the names, built by the compiler: a
// lookup hashes the upper-cased name once and nearly always compares just
// one entry.
constexpr std::size_t kSlots = 1024; // a power of two, under a quarter full

constexpr std::uint32_t hashStep(std::uint32_t h, char c)
{
    return (h ^ std::uint8_t(c)) * 16777619u;
}

constexpr std::uint32_t hashName(std::string_view name)
{
    std::uint32_t h = 2166136261u;
    for (char c : name)
        h = hashStep(h, c);
    return h;
}

// Slot -> element index + 1; 0 is an empty slot.
constexpr std::array<std::uint8_t, kSlots> kSlotTable = [] {
    std::array<std::uint8_t, kSlots> slots{};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        std::size_t at = hashName(kNames[i]) & (kSlots - 1);
        while (slots[at] != 0)
            at = (at + 1) & (kSlots - 1);
        slots[at] = std::uint8_t(i + 1);
    }
    return slots;
}();

constexpr HtmlElement kCustomElement{QLatin1StringView(), true, true};

} // namespace

std::span<const HtmlElement> htmlElements()
{
    return kElements;
}

const HtmlElement* findHtmlElement(QStringView name)
{
    const qsizetype size = name.size();
    if (size == 0 || size > qsizetype(kLongestName))
        return nullptr;
    char upper[kLongestName];
    std::uint32_t hash = hashName({});
    for (qsizetype i = 0; i < size; ++i) {
        char16_t c = name[i].unicode();
        if (c >= 0x80)
            return nullptr;
        if (c >= u'a' && c <= u'z')
            c -= u'a' - u'A';
        upper[i] = static_cast<char>(c);
        hash = hashStep(hash, upper[i]);
    }
    const std::string_view key(upper, std::size_t(size));
    for (std::size_t at = hash & (kSlots - 1); kSlotTable[at] != 0; at = (at + 1) & (kSlots - 1)) {
        const std::size_t index = kSlotTable[at] - 1u;
        if (kNames[index] == key)
            return &kElements[index];
    }
    return nullptr;
}

bool isCustomElementName(QStringView name)
{
    // A letter first and a hyphen somewhere: what a browser takes for an
    // autonomous custom element. The few hyphenated names SVG and MathML
    // reserve are too rare in a page to be worth a table.
    if (name.isEmpty())
        return false;
    const char16_t first = name[0].unicode();
    if (!((first >= u'a' && first <= u'z') || (first >= u'A' && first <= u'Z')))
        return false;
    bool hyphen = false;
    for (const QChar ch : name) {
        const char16_t c = ch.unicode();
        if (c == u'-')
            hyphen = true;
        else if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                   (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || c >= 0xB7))
            return false;
    }
    return hyphen;
}

const HtmlElement* customHtmlElement()
{
    return &kCustomElement;
}

} // namespace qw
