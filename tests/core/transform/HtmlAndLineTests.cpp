#include "core/transform/DateTimeText.h"
#include "core/transform/HtmlText.h"
#include "core/transform/LineTransforms.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

TEST(TextToHtml, EscapesAppendsBreaksAndFramesWithTheTemplate)
{
    const QString text = "a & b\r\n&lt;\r\n\r\n\"q\" <x>";
    const QString expected = "<html>\r\n<body>\r\n\r\n"
                             "a &amp; b<br>\r\n"
                             "&amp;lt;<br>\r\n"
                             "<br>\r\n"
                             "&quot;q&quot; &lt;x&gt;<br>\r\n"
                             "</body>\r\n</html>";
    EXPECT_EQ(textToHtml(text, {"<html>", "<body>"}, {"</body>", "</html>"}), expected);
    EXPECT_EQ(textToHtml(u"x\r\n", {}, {}), "\r\nx<br>\r\n<br>");
}

TEST(RemoveHtml, TagsAndStrayBracketsBecomeSpaces)
{
    const struct
    {
        QString text;
        QString expected;
    } cases[] = {
        {"<p>text</p>", " text "},
        {"a>b", "a b"},
        {"a<p\r\nclass=x>b", "a b"},
        {"<b>tučně</b>", " tučně "},
        // An unclosed "<" takes the rest of the text but its last character.
        {"a<bcd", "ad"},
        {"a<", "a<"},
        {"x<ab\r\n", "x\r\n"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(removeHtml(c.text), c.expected) << c.text.toStdString();
}

TEST(RemoveSurplusLines, OnePassHalvesRunsOfBreaks)
{
    const struct
    {
        QString text;
        QString expected;
    } cases[] = {
        {"a\r\nb", "a\r\nb"},
        {"a\r\n\r\nb", "a\r\nb"},
        {"a\r\n\r\n\r\nb", "a\r\n\r\nb"},
        {"\r\n\r\n\r\n\r\n", "\r\n\r\n"},
        {"a\r\n\r\nb\r\n\r\n\r\nc", "a\r\nb\r\n\r\nc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(removeSurplusLines(c.text), c.expected) << c.text.toStdString();
}

TEST(TextToTable, RowPerLineWithNbspForBlankLines)
{
    EXPECT_EQ(textToTable(u"a\r\n\r\nb"), "<table>\r\n"
                                          "    <tr><td>a</td></tr>\r\n"
                                          "    <tr><td>&nbsp;</td></tr>\r\n"
                                          "    <tr><td>b</td></tr>\r\n"
                                          "</table>\r\n");
    EXPECT_EQ(textToTable(u""), "<table>\r\n</table>\r\n");
    // The line is kept as it was (spaces, case); a final break opens no row.
    EXPECT_EQ(textToTable(u" Ab \r\n \t\r\n"), "<table>\r\n"
                                               "    <tr><td> Ab </td></tr>\r\n"
                                               "    <tr><td>&nbsp;</td></tr>\r\n"
                                               "</table>\r\n");
}

TEST(AddLineBreaks, BreakTagAtEveryLineEnd)
{
    EXPECT_EQ(addLineBreaks(u"a\r\n\r\nb"), "a<br>\r\n<br>\r\nb<br>\r\n");
    EXPECT_EQ(addLineBreaks(u"a\nb\r"), "a<br>\r\nb<br>\r\n");
    EXPECT_EQ(addLineBreaks(u""), "");
}

TEST(DateTimeText, ShortDateSpaceLongTimeWithoutZone)
{
    const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(dateTimeText(now, QLocale(QLocale::Czech, QLocale::Czechia)), "05.03.24 14:07:09");
    EXPECT_EQ(dateTimeText(now, QLocale(QLocale::English, QLocale::UnitedStates)),
              "3/5/24 2:07:09 PM");
}

} // namespace
} // namespace qw
