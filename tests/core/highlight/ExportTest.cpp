#include "ClassLetters.h"
#include "core/highlight/HtmlListingExport.h"
#include "core/highlight/RtfExport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qw;
using namespace qwtest;

namespace {

QByteArray readBytes(const char* name)
{
    QFile file(dataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Shows where two exports part, with some context on both sides.
::testing::AssertionResult sameBytes(const QByteArray& actual, const QByteArray& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    const qsizetype from = std::max<qsizetype>(0, at - 40);
    return ::testing::AssertionFailure()
           << "the bytes differ from offset " << at << "\n  expected …"
           << expected.mid(from, 100).toStdString() << "\n  actual   …"
           << actual.mid(from, 100).toStdString();
}

// A short document and a look that exercises every formatting the exports
// write: bold, italic, underline, strike-out, a background and the
// alternative font.
const QStringList kSample{
    "<b>Tučně</b> a  b",
    "<!-- {x} \\ -->",
    "&nbsp;\t\"q\"",
};

ExportLook sampleLook()
{
    ExportLook look;
    look.fontName = "Courier New";
    look.fontSize = 10;
    look.altFontName = "Arial";
    look.altFontSize = 12;
    look.textColor = rgbToColorRef(0, 0, 0);
    look.highlightTextColor = rgbToColorRef(255, 255, 255);
    look.backgroundColor = rgbToColorRef(255, 255, 255);
    look.highlightBackgroundColor = rgbToColorRef(0, 0, 128);
    look.styles = defaultHighlightStyles();
    styleOf(look.styles, StyleClass::Bracket).strikeOut = true;
    HighlightStyle& special = styleOf(look.styles, StyleClass::SpecialChars);
    special.underline = true;
    special.altFont = true;
    special.hasBackground = true;
    special.background = rgbToColorRef(255, 255, 0);
    return look;
}

} // namespace

TEST(Export, RtfOfASampleMatchesTheGoldenFile)
{
    EXPECT_TRUE(sameBytes(exportRtf(kSample, sampleLook()), readBytes("export-sample.rtf")));
}

TEST(Export, HtmlListingOfASampleMatchesTheGoldenFile)
{
    EXPECT_TRUE(
        sameBytes(exportHtmlListing(kSample, sampleLook()), readBytes("export-sample.html")));
}

TEST(Export, CharactersBeyondAsciiKeepTheirIdentity)
{
    const struct
    {
        QString text;
        const char* rtf;
        const char* html;
    } cases[] = {
        {"ř", "\\u345?", "&#345;"},
        {"\u00a0", "\\u160?", "&#160;"},
        {"€", "\\u8364?", "&#8364;"},
        {"\U0001F600", "\\u-10179?\\u-8704?", "&#128512;"},
        {QString(QChar(0xD800)), "\\u-10240?", "&#65533;"},
        {"x\uFFFF", "x\\u-1?", "x&#65535;"},
    };
    const ExportLook look;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_TRUE(exportRtf({c.text}, look).contains(QByteArray(" ") + c.rtf + "\\par }"));
        EXPECT_TRUE(exportHtmlListing({c.text}, look).contains(QByteArray(c.html) + "<BR>"));
    }
}

TEST(Export, AlignmentPicksTheParagraphAndDivision)
{
    const struct
    {
        TextAlignment alignment;
        const char* rtf;
        const char* html;
    } cases[] = {
        {TextAlignment::Left, "}\\pard\\ql\\sl-240\\", "<DIV ALIGN=LEFT>\r\n"},
        {TextAlignment::Right, "}\\pard\\qr\\sl-240\\", "<DIV ALIGN=RIGHT>\r\n"},
        {TextAlignment::Center, "}\\pard\\qc\\sl-240\\", "<DIV ALIGN=CENTER>\r\n"},
        {TextAlignment::Justify, "}\\pard\\qj\\sl-240\\", "<DIV ALIGN=LEFT>\r\n"},
    };
    ExportLook look;
    look.fontSize = 12;
    for (const auto& c : cases) {
        look.alignment = c.alignment;
        EXPECT_TRUE(exportRtf({"x"}, look).contains(c.rtf)) << c.rtf;
        EXPECT_TRUE(exportHtmlListing({"x"}, look).contains(c.html)) << c.html;
    }
}

TEST(Export, FormattingStillOpenAtTheEndIsClosed)
{
    const QByteArray html = exportHtmlListing({"<!-- never", "closed"}, sampleLook());
    EXPECT_TRUE(html.endsWith("closed<BR>\r\n</FONT></I></DIV>\r\n</BODY>\r\n</HTML>\r\n"));
    // A run that goes on over a line end is not restarted on the next line.
    EXPECT_EQ(html.count("<I>"), 1);
    const QByteArray rtf = exportRtf({"<!-- never", "closed"}, sampleLook());
    EXPECT_TRUE(rtf.endsWith("\\i\\cf8\\cb2 <!-- never\\par closed\\par }"));
}

TEST(Export, EmptyDocument)
{
    for (const QStringList& lines : {QStringList(), QStringList{QString()}}) {
        EXPECT_TRUE(exportRtf(lines, ExportLook()).endsWith("\\pard\\ql\\sl-200\\par }"));
        EXPECT_TRUE(exportHtmlListing(lines, ExportLook())
                        .endsWith("<DIV ALIGN=LEFT>\r\n" +
                                  QByteArray(lines.isEmpty() ? "" : "<BR>\r\n") +
                                  "</DIV>\r\n</BODY>\r\n</HTML>\r\n"));
    }
}

TEST(Export, RtfFontSizesAreKeptWithinWhatReadersTake)
{
    // A hand-edited settings file can hold any number; twips of a huge size
    // would not even fit an int.
    const struct
    {
        int points;
        const char* spacing;
        const char* size;
    } cases[] = {
        {12, "\\sl-240\\", "\\f0\\fs24\\"},
        {std::numeric_limits<int>::max(), "\\sl-32760\\", "\\f0\\fs3276\\"},
        {0, "\\sl-20\\", "\\f0\\fs2\\"},
        {std::numeric_limits<int>::min(), "\\sl-20\\", "\\f0\\fs2\\"},
    };
    for (const auto& c : cases) {
        ExportLook look;
        look.fontSize = c.points;
        look.altFontSize = c.points;
        for (HighlightStyle& style : look.styles)
            style.altFont = true;
        const QByteArray rtf = exportRtf({"x <B>"}, look);
        EXPECT_TRUE(rtf.contains(c.spacing)) << c.points;
        EXPECT_TRUE(rtf.contains(c.size)) << c.points;
        EXPECT_TRUE(rtf.contains(QByteArray(c.size).replace("f0", "f1"))) << c.points;
    }
}

TEST(Export, HtmlFontSizeOfPointSizes)
{
    const std::pair<int, int> sizes[] = {{0, 0},  {4, 0},  {5, 1},  {6, 1},  {7, 2},
                                         {8, 2},  {9, 3},  {10, 3}, {11, 3}, {12, 4},
                                         {17, 6}, {18, 7}, {72, 7}};
    for (const auto& [points, html] : sizes)
        EXPECT_EQ(htmlFontSize(points), html) << points << " pt";
}
