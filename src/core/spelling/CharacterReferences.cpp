#include "core/spelling/CharacterReferences.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace qw {
namespace {

// The Latin-1 references in the order of their characters, U+00A0 onwards.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedReference
{
    std::string_view name;
    char32_t character;
};

// The rest a Czech or English page is likely to spell out: the letters of
// Latin Extended-A with their names, quotes, dashes and the markup's own.
constexpr NamedReference kOtherNames[] = {
    {"amp", U'&'},         {"lt", U'<'},          {"gt", U'>'},          {"quot", U'"'},
    {"apos", U'\''},       {"Ccaron", U'\u010C'}, {"ccaron", U'\u010D'}, {"Dcaron", U'\u010E'},
    {"dcaron", U'\u010F'}, {"Ecaron", U'\u011A'}, {"ecaron", U'\u011B'}, {"Ncaron", U'\u0147'},
    {"ncaron", U'\u0148'}, {"Rcaron", U'\u0158'}, {"rcaron", U'\u0159'}, {"Scaron", U'\u0160'},
    {"scaron", U'\u0161'}, {"Tcaron", U'\u0164'}, {"tcaron", U'\u0165'}, {"Uring", U'\u016E'},
    {"uring", U'\u016F'},  {"Zcaron", U'\u017D'}, {"zcaron", U'\u017E'}, {"Lcaron", U'\u013D'},
    {"lcaron", U'\u013E'}, {"Lacute", U'\u0139'}, {"lacute", U'\u013A'}, {"Racute", U'\u0154'},
    {"racute", U'\u0155'}, {"OElig", U'\u0152'},  {"oelig", U'\u0153'},  {"Yuml", U'\u0178'},
    {"ndash", U'\u2013'},  {"mdash", U'\u2014'},  {"lsquo", U'\u2018'},  {"rsquo", U'\u2019'},
    {"sbquo", U'\u201A'},  {"ldquo", U'\u201C'},  {"rdquo", U'\u201D'},  {"bdquo", U'\u201E'},
    {"hellip", U'\u2026'}, {"euro", U'\u20AC'},   {"trade", U'\u2122'},  {"bull", U'\u2022'},
    {"thinsp", U'\u2009'}, {"ensp", U'\u2002'},   {"emsp", U'\u2003'},   {"zwnj", U'\u200C'},
    {"zwj", U'\u200D'}};

char32_t namedCharacter(std::string_view name)
{
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i) {
        if (kLatin1Names[i] == name)
            return static_cast<char32_t>(0xA0 + i);
    }
    for (const NamedReference& r : kOtherNames) {
        if (r.name == name)
            return r.character;
    }
    return 0;
}

bool isAsciiAlnum(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One UTF-8 sequence at `at`; a broken one counts as one byte of U+FFFD.
char32_t decodeUtf8(QByteArrayView s, qsizetype at, qsizetype* length)
{
    const auto b0 = static_cast<unsigned char>(s[at]);
    *length = 1;
    if (b0 < 0x80)
        return b0;
    int extra = 0;
    char32_t c = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        return 0xFFFD;
    }
    if (at + extra >= s.size())
        return 0xFFFD;
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[at + i]);
        if ((b & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (b & 0x3F);
    }
    *length = 1 + extra;
    return c;
}

void append(DecodedText& out, char32_t c, qsizetype sourceOffset)
{
    if (c > 0xFFFF) {
        out.text.append(QChar::highSurrogate(c));
        out.text.append(QChar::lowSurrogate(c));
        out.sourceOffsets.append(sourceOffset);
        out.sourceOffsets.append(sourceOffset);
    } else {
        out.text.append(QChar(static_cast<char16_t>(c)));
        out.sourceOffsets.append(sourceOffset);
    }
}

} // namespace

char32_t decodeCharacterReference(QByteArrayView s, qsizetype at, qsizetype* end)
{
    if (at >= s.size() || s[at] != '&')
        return 0;
    qsizetype i = at + 1;
    if (i < s.size() && s[i] == '#') {
        ++i;
        const bool hex = i < s.size() && (s[i] == 'x' || s[i] == 'X');
        if (hex)
            ++i;
        const qsizetype digits = i;
        char32_t value = 0;
        while (i < s.size()) {
            const int d = hex ? hexValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
            if (d < 0)
                break;
            value =
                std::min<char32_t>(value * (hex ? 16 : 10) + static_cast<char32_t>(d), 0x110000);
            ++i;
        }
        if (i == digits)
            return 0;
        if (i < s.size() && s[i] == ';')
            ++i;
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            value = 0xFFFD;
        *end = i;
        return value;
    }
    while (i < s.size() && isAsciiAlnum(s[i]) && i - at <= 10)
        ++i;
    if (i == at + 1 || i >= s.size() || s[i] != ';')
        return 0;
    const char32_t c =
        namedCharacter(std::string_view(s.data() + at + 1, static_cast<std::size_t>(i - at - 1)));
    if (c == 0)
        return 0;
    *end = i + 1;
    return c;
}

DecodedText decodeText(QByteArrayView source, qsizetype from, qsizetype to)
{
    DecodedText out;
    out.text.reserve(to - from);
    out.sourceOffsets.reserve(to - from + 1);
    qsizetype i = from;
    while (i < to) {
        if (source[i] == '&') {
            qsizetype end = 0;
            const char32_t c = decodeCharacterReference(source.first(to), i, &end);
            if (c != 0) {
                append(out, c, i);
                i = end;
                continue;
            }
        }
        qsizetype length = 1;
        const char32_t c = decodeUtf8(source.first(to), i, &length);
        append(out, c, i);
        i += length;
    }
    out.sourceOffsets.append(to);
    return out;
}

} // namespace qw
