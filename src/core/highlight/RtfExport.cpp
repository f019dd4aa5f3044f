#include "core/highlight/RtfExport.h"

#include "core/highlight/StyledPieces.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace qw {

namespace {

// Built in a std::string: its appends inline, which QByteArray's do not.
using Buffer = std::string;

void appendNumber(Buffer& out, int value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendText(Buffer& out, QStringView text)
{
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += '\\';
            out += char(c);
        } else if (c < 0x80) {
            out += char(c);
        } else {
            // \uN takes a signed 16-bit number; the "?" is what a reader
            // without Unicode shows instead. A character outside the basic
            // plane goes as its two halves, as readers expect.
            out += "\\u";
            appendNumber(out, static_cast<qint16>(c));
            out += '?';
        }
    }
}

void appendColour(Buffer& out, ColorRef c)
{
    out += "\\red";
    appendNumber(out, int(c & 0xFF));
    out += "\\green";
    appendNumber(out, int((c >> 8) & 0xFF));
    out += "\\blue";
    appendNumber(out, int((c >> 16) & 0xFF));
    out += ';';
}

struct RtfFormat
{
    bool altFont = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int fore = 0;
    int back = 2;

    friend bool operator==(const RtfFormat&, const RtfFormat&) = default;
};

} // namespace

QByteArray exportRtf(const QStringList& lines, const ExportLook& look)
{
    Buffer out;
    qsizetype textSize = 0;
    for (const QString& line : lines)
        textSize += line.size() + 8;
    // Dense markup writes about five bytes per character; reserving that
    // much (untouched pages cost nothing) spares the copies of regrowing.
    out.reserve(std::size_t(6 * textSize + 1024));

    out += "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fnil ";
    appendText(out, look.fontName);
    out += ";}{\\f1\\fnil ";
    appendText(out, look.altFontName);
    out += ";}}";

    // Colour table: the editor's four colours, then the foreground of every
    // class in order, then the backgrounds of the classes that have one.
    out += "{\\colortbl";
    appendColour(out, look.textColor);
    appendColour(out, look.highlightTextColor);
    appendColour(out, look.backgroundColor);
    appendColour(out, look.highlightBackgroundColor);
    for (const HighlightStyle& s : look.styles)
        appendColour(out, s.foreground);
    std::array<RtfFormat, StyleClassCount> formats{};
    int nextIndex = 4 + int(StyleClassCount);
    for (std::size_t k = 0; k < StyleClassCount; ++k) {
        const HighlightStyle& s = look.styles[k];
        RtfFormat& f = formats[k];
        f = {s.altFont, s.bold, s.italic, s.underline, 4 + int(k), 2};
        if (s.hasBackground) {
            appendColour(out, s.background);
            f.back = nextIndex++;
        }
    }
    out += '}';

    switch (look.alignment) {
    case TextAlignment::Left:
        out += "\\pard\\ql";
        break;
    case TextAlignment::Right:
        out += "\\pard\\qr";
        break;
    case TextAlignment::Center:
        out += "\\pard\\qc";
        break;
    case TextAlignment::Justify:
        out += "\\pard\\qj";
        break;
    }
    // Sizes come from a settings file a person may edit: they are kept
    // within what readers take (1 to 1638 points), which also keeps the
    // twips and half-points below from overflowing.
    const auto points = [](int size) {
        return std::clamp(size, 1, 1638);
    };
    const int fontSize = points(look.fontSize);
    const int altFontSize = points(look.altFontSize);

    // Exact line spacing equal to the font size.
    out += "\\sl";
    appendNumber(out, -20 * fontSize);

    // The control words that start a run, made once per format.
    const auto header = [fontSize, altFontSize](const RtfFormat& f) {
        Buffer h = f.altFont ? "\\plain\\f1\\fs" : "\\plain\\f0\\fs";
        appendNumber(h, 2 * (f.altFont ? altFontSize : fontSize));
        if (f.bold)
            h += "\\b";
        if (f.italic)
            h += "\\i";
        if (f.underline)
            h += "\\ul";
        h += "\\cf";
        appendNumber(h, f.fore);
        h += "\\cb";
        appendNumber(h, f.back);
        h += ' ';
        return h;
    };
    const Buffer plainHeader = header(RtfFormat{});
    std::array<Buffer, StyleClassCount> headers;
    for (std::size_t k = 0; k < StyleClassCount; ++k)
        headers[k] = header(formats[k]);

    StyledLineWalker walker;
    bool started = false;
    RtfFormat current;
    const qsizetype count = lines.size();
    for (qsizetype li = 0; li < count; ++li) {
        const QStringView line = lines[li];
        for (const StyledPiece& piece : walker.next(line)) {
            const RtfFormat format = piece.styled ? formats[std::size_t(piece.style)] : RtfFormat{};
            if (!started || !(format == current)) {
                started = true;
                current = format;
                out += piece.styled ? headers[std::size_t(piece.style)] : plainHeader;
            }
            appendText(out, line.sliced(piece.start, piece.length));
        }
        out += li + 1 < count ? "\\par " : "\\par }";
    }
    if (count == 0)
        out += "\\par }";
    return QByteArray(out.data(), qsizetype(out.size()));
}

} // namespace qw
