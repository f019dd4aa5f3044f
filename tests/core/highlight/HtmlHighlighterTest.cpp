#include "ClassLetters.h"

#include <gtest/gtest.h>

#include <random>

using namespace qw;
using namespace qwtest;
using namespace Qt::StringLiterals;

namespace {

struct Coloured
{
    QString letters;
    LineState end;
};

Coloured colour(QStringView line, LineState in = LineState::Text)
{
    HighlightRuns runs;
    const LineState end = highlightLine(line, in, runs);
    return {classLetters(line.size(), runs), end};
}

// Runs in order, none empty, none overlapping, all inside the line.
::testing::AssertionResult wellFormed(const HighlightRuns& runs, qsizetype lineLength)
{
    qsizetype at = 0;
    for (const HighlightRun& r : runs) {
        if (r.length <= 0 || r.start < at || r.start + r.length > lineLength)
            return ::testing::AssertionFailure()
                   << "run " << r.start << "+" << r.length << " after " << at << " in a line of "
                   << lineLength;
        if (r.style == StyleClass::DefaultText || r.style == StyleClass::ScriptTag)
            return ::testing::AssertionFailure() << "a run carries a class no run uses";
        at = r.start + r.length;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(HtmlHighlighter, StateAtTheLineEnd)
{
    using S = LineState;
    const struct
    {
        const char16_t* line;
        S in;
        S end;
        const char* letters;
    } cases[] = {
        {u"", S::Comment, S::Comment, ""},
        {u"<", S::Text, S::PlainTag, "B"}, // just after "<" never carries over
        {u"x <td", S::Text, S::AttrTag, "..BKK"},
        {u"<script", S::Text, S::ScriptAttrTag, "BKKKKKK"},
        {u"<script type=a", S::Text, S::ScriptAttrTag, "BKKKKKKTAAAAAV"},
        {u"<script>", S::Text, S::ScriptBlock, "BKKKKKKB"},
        {u"<b", S::Text, S::PlainTag, "BK"},
        {u"</td", S::Text, S::PlainTag, "BKKK"},
        {u"<!--", S::Text, S::Comment, "CCCC"},
        {u"<!-->", S::Text, S::Text, "CCCCC"}, // closed by its own last dash
        {u"<!-- -- >", S::Text, S::Comment, "CCCCCCCCC"},
        {u"<!-x>", S::Text, S::Text, "BUUUB"},
        {u"<%", S::Text, S::ServerScriptPercent, "BS"},
        {u"<?php", S::Text, S::ServerScriptQuestion, "BSSSS"},
        {u"<%>", S::Text, S::Text, "BSB"}, // the opening "%" already ends with ">"
        {u"a %> b", S::ServerScriptQuestion, S::ServerScriptQuestion, "SSSSSS"},
        {u"a ?> b", S::ServerScriptQuestion, S::Text, "SSSB.."},
        {u"</script >", S::ScriptBlock, S::ScriptBlock, "SSSSSSSSSS"}, // exactly nine characters
        {u"x</SCRIPT><b", S::ScriptBlock, S::PlainTag, "SBBBBBBBBBBK"},
        {u"a='>'>x", S::ScriptAttrTag, S::ScriptBlock, "AAVVVBS"},
        {u"'>'", S::AttrTag, S::Text, "TB."}, // quotes only count after "="
        {u"x='a", S::AttrTag, S::AttrTag, "AAVV"},
        {u"\"> &amp;", S::PlainTag, S::Text, "UB.XXXXX"},
        {u"&#x41;&", S::Text, S::Text, "XXXXXXX"},
        {u"&;;", S::Text, S::Text, "XX."},
        {u"&\u00e9", S::Text, S::Text, "X."},
    };
    for (const auto& c : cases) {
        const QStringView line(c.line);
        SCOPED_TRACE(line.toString().toStdString());
        const Coloured got = colour(line, c.in);
        EXPECT_EQ(got.end, c.end);
        EXPECT_EQ(got.letters, QString::fromLatin1(c.letters));
    }
}

TEST(HtmlHighlighter, AttributeNameNeverReachesBackOverWhatIsColoured)
{
    // The name of an attribute reaches back to the last space before its
    // "=", but not into the tag name or the value before it.
    const struct
    {
        const char16_t* line;
        const char* letters;
    } cases[] = {
        {u"<td  align = 'x'>", "BKKTTAAAAAAAVVVVB"},
        {u"<td =5>", "BKKAAVB"},
        {u"<img src=\"a\"alt=b>", "BKKKTAAAAVVVAAAAVB"},
        {u"<p a=b=c>", "BKTAAVVVB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.line).toStdString());
        EXPECT_EQ(colour(QStringView(c.line)).letters, QString::fromLatin1(c.letters));
    }
}

TEST(HtmlHighlighter, OutputIsReplacedNotAppended)
{
    HighlightRuns runs;
    highlightLine(u"<p>&amp;<br>", LineState::Text, runs);
    highlightLine(u"x&y", LineState::Text, runs);
    EXPECT_EQ(runs, (HighlightRuns{{1, 2, StyleClass::SpecialChars}}));
    highlightLine(u"plain text", LineState::Text, runs);
    EXPECT_TRUE(runs.empty());
}

TEST(HtmlHighlighter, WholeTextColoursLikeItsLinesWithAnyLineBreak)
{
    const QStringList lines = readLines(dataPath("tags.html"));
    ASSERT_FALSE(lines.isEmpty());
    const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")};
    QString text;
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += breaks[i % 3];
        starts.push_back(text.size());
        text += lines[i];
    }
    const HighlightRuns whole = highlightText(text);
    ASSERT_TRUE(wellFormed(whole, text.size()));

    HighlightRuns expected;
    HighlightRuns runs;
    LineState state = LineState::Text;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        state = highlightLine(lines[i], state, runs);
        for (HighlightRun r : runs) {
            r.start += starts[std::size_t(i)];
            expected.push_back(r);
        }
    }
    EXPECT_EQ(whole, expected);
}

TEST(HtmlHighlighter, SurvivesRandomLines)
{
    // Fragments that steer the state machine, mixed with odd characters.
    const QString pieces[] = {
        u"<"_s,      u">"_s,      u"&"_s,  u"="_s,    u"\""_s,  u"'"_s,         u" "_s,
        u"\t"_s,     u"%"_s,      u"?"_s,  u"<!--"_s, u"-->"_s, u"</script>"_s, u"<SCRIPT>"_s,
        u"td"_s,     u"/"_s,      u";"_s,  u"#"_s,    u"a"_s,   u"IMG"_s,       u"\u00e9"_s,
        u"\xd83d"_s, u"\xde00"_s, u"\0"_s, u"%>"_s,   u"?>"_s,  u"-"_s,         u"!"_s,
    };
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> pick(0, int(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> anyState(0, LineStateCount - 1);
    HighlightRuns runs;
    for (int n = 0; n < 20000; ++n) {
        QString line;
        for (int k = length(rng); k > 0; --k)
            line += pieces[pick(rng)];
        const LineState in = lineStateFromInt(anyState(rng));
        const LineState end = highlightLine(line, in, runs);
        ASSERT_TRUE(wellFormed(runs, line.size())) << line.toStdString();
        ASSERT_EQ(lineStateFromInt(toInt(end)), end);
        if (in == LineState::Text && !line.contains(u'<') && !line.contains(u'&')) {
            ASSERT_TRUE(runs.empty()) << line.toStdString();
            ASSERT_EQ(end, LineState::Text);
        }
    }
}
