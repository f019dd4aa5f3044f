#include "core/highlight/HtmlListingExport.h"

#include "core/highlight/StyledPieces.h"

#include <array>
#include <charconv>
#include <string>

namespace qw {

namespace {

// Built in a std::string: its appends inline, which QByteArray's do not.
using Buffer = std::string;

void appendNumber(Buffer& out, unsigned value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// Escapes characters [from, to) of a line; the character after `to` decides
// whether a blank at the end becomes "&nbsp;".
void appendEscaped(Buffer& out, QStringView line, qsizetype from, qsizetype to)
{
    const char16_t* s = line.utf16();
    const qsizetype n = line.size();
    for (qsizetype i = from; i < to; ++i) {
        const char16_t c = s[i];
        switch (c) {
        case u'<':
            out += "&lt;";
            continue;
        case u'>':
            out += "&gt;";
            continue;
        case u'&':
            out += "&amp;";
            continue;
        case u'"':
            out += "&quot;";
            continue;
        case u'\t':
            out += "&#9;";
            continue;
        case u' ':
            // A blank followed by a blank keeps its width in the browser.
            out += i + 1 < n && s[i + 1] == u' ' ? "&nbsp;" : " ";
            continue;
        default:
            break;
        }
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < to && QChar::isLowSurrogate(s[i + 1])) {
            code = QChar::surrogateToUcs4(c, s[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            code = 0xFFFD; // half a pair names no character
        }
        out += "&#";
        appendNumber(out, unsigned(code));
        out += ';';
    }
}

void appendEscaped(Buffer& out, QStringView text)
{
    appendEscaped(out, text, 0, text.size());
}

Buffer colourText(ColorRef c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    Buffer t = "\"#";
    for (const unsigned part : {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF}) {
        t += kHex[part >> 4];
        t += kHex[part & 0xF];
    }
    t += '"';
    return t;
}

// The tags that open and close one formatting, made once per class.
struct HtmlFormat
{
    Buffer open;
    Buffer close;
};

HtmlFormat formatOf(const HighlightStyle& s, const ExportLook& look)
{
    HtmlFormat f;
    const auto wrap = [&f](const char* open, const char* close) {
        f.open += open;
        f.close.insert(0, close);
    };
    if (s.bold)
        wrap("<B>", "</B>");
    if (s.italic)
        wrap("<I>", "</I>");
    if (s.underline)
        wrap("<U>", "</U>");
    if (s.strikeOut)
        wrap("<S>", "</S>");
    f.open += "<FONT COLOR=" + colourText(s.foreground) + '>';
    f.close.insert(0, "</FONT>");
    if (s.altFont) {
        f.open += "<FONT FACE=\"";
        appendEscaped(f.open, look.altFontName);
        f.open += "\" SIZE=\"";
        appendNumber(f.open, unsigned(htmlFontSize(look.altFontSize)));
        f.open += "\">";
        f.close.insert(0, "</FONT>");
    }
    return f;
}

} // namespace

int htmlFontSize(int pointSize)
{
    if (pointSize <= 4)
        return 0;
    if (pointSize > 17)
        return 7;
    return 3 + (pointSize - 10) / 2; // C++ division truncates towards zero
}

QByteArray exportHtmlListing(const QStringList& lines, const ExportLook& look)
{
    Buffer out;
    qsizetype textSize = 0;
    for (const QString& line : lines)
        textSize += line.size() + 8;
    // Dense markup writes about six bytes per character; reserving that
    // much (untouched pages cost nothing) spares the copies of regrowing.
    out.reserve(std::size_t(7 * textSize + 1024));

    out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n";
    out += "<HTML>\r\n<HEAD>\r\n<TITLE>";
    appendEscaped(out, u"Textový editorek");
    out += "</TITLe>\r\n</HEAD>\r\n";
    out += "<BODY BGCOLOR=" + colourText(look.backgroundColor) +
           " TEXT=" + colourText(look.textColor) + ">\r\n";
    out += "<BASEFONT FACE=\"";
    appendEscaped(out, look.fontName);
    out += "\" SIZE=\"";
    appendNumber(out, unsigned(htmlFontSize(look.fontSize)));
    out += "\">\r\n";
    switch (look.alignment) {
    case TextAlignment::Right:
        out += "<DIV ALIGN=RIGHT>\r\n";
        break;
    case TextAlignment::Center:
        out += "<DIV ALIGN=CENTER>\r\n";
        break;
    case TextAlignment::Left:
    case TextAlignment::Justify:
        out += "<DIV ALIGN=LEFT>\r\n";
        break;
    }

    std::array<HtmlFormat, StyleClassCount> formats;
    for (std::size_t k = 0; k < StyleClassCount; ++k)
        formats[k] = formatOf(look.styles[k], look);
    // Classes drawn alike share their index, so a change of class that
    // changes nothing visible closes and reopens nothing.
    std::array<std::size_t, StyleClassCount> same{};
    for (std::size_t k = 0; k < StyleClassCount; ++k) {
        same[k] = k;
        for (std::size_t e = 0; e < k; ++e) {
            if (formats[e].open == formats[k].open) {
                same[k] = e;
                break;
            }
        }
    }

    constexpr std::size_t kPlain = StyleClassCount;
    std::size_t current = kPlain;
    StyledLineWalker walker;
    for (const QString& line : lines) {
        for (const StyledPiece& piece : walker.next(line)) {
            const std::size_t format = piece.styled ? same[std::size_t(piece.style)] : kPlain;
            if (format != current) {
                if (current != kPlain)
                    out += formats[current].close;
                if (format != kPlain)
                    out += formats[format].open;
                current = format;
            }
            appendEscaped(out, line, piece.start, piece.start + piece.length);
        }
        out += "<BR>\r\n";
    }
    if (current != kPlain)
        out += formats[current].close;
    out += "</DIV>\r\n</BODY>\r\n</HTML>\r\n";
    return QByteArray(out.data(), qsizetype(out.size()));
}

} // namespace qw
