#include "core/highlight/LineStates.h"

#include "ClassLetters.h"

#include <gtest/gtest.h>

#include <random>

using namespace qw;
using namespace qwtest;

namespace {

// A document as an editor would hold it: its lines, the tracker and the
// colours last drawn for each line.
struct ColouredDocument
{
    QStringList lines{QString()};
    LineStates states;
    std::vector<QString> drawn{QString()};
    int coloured = 0; // lines coloured by the last update

    // Replaces lines [first, first + removed) by `inserted` and re-colours.
    void edit(int first, int removed, const QStringList& inserted)
    {
        lines.remove(first, removed);
        drawn.erase(drawn.begin() + first, drawn.begin() + first + removed);
        for (qsizetype k = 0; k < inserted.size(); ++k) {
            lines.insert(first + k, inserted[k]);
            drawn.insert(drawn.begin() + first + k, QStringLiteral("<not coloured>"));
        }
        if (lines.isEmpty()) {
            lines.append(QString());
            drawn.emplace_back(QStringLiteral("<not coloured>"));
        }
        states.replaceLines(first, removed, int(inserted.size()));
        ASSERT_EQ(states.lineCount(), lines.size());
        update(first);
    }

    void update(int first)
    {
        HighlightRuns runs;
        const int from = first;
        const int after = states.recolour(first, [&](int line, LineState start) {
            const LineState end = highlightLine(lines[line], start, runs);
            drawn[std::size_t(line)] = classLetters(lines[line].size(), runs);
            return end;
        });
        coloured = after - from;
    }

    // Compares everything kept with a colouring of the whole document.
    ::testing::AssertionResult matchesFreshColouring() const
    {
        HighlightRuns runs;
        LineState state = LineState::Text;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (states.startState(int(i)) != state)
                return ::testing::AssertionFailure() << "start state of line " << i;
            state = highlightLine(lines[i], state, runs);
            const QString want = classLetters(lines[i].size(), runs);
            if (drawn[std::size_t(i)] != want)
                return ::testing::AssertionFailure()
                       << "line " << i << " drawn " << drawn[std::size_t(i)].toStdString()
                       << " instead of " << want.toStdString();
        }
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST(LineStates, RandomEditsKeepEveryLineAsAFreshColouringWouldDrawIt)
{
    const QString pool[] = {
        QStringLiteral("plain text"), QStringLiteral("<!-- open"), QStringLiteral("close -->"),
        QStringLiteral("<script>"),   QStringLiteral("a < b"),     QStringLiteral("</script>"),
        QStringLiteral("<td align"),  QStringLiteral("= 'x'>"),    QStringLiteral("<% a"),
        QStringLiteral("b %>"),       QStringLiteral("<?"),        QStringLiteral("?> &amp;"),
        QStringLiteral(""),           QStringLiteral("<"),         QStringLiteral(">"),
        QStringLiteral("<b x=1>"),
    };
    std::mt19937 rng(7);
    const auto random = [&rng](int from, int to) {
        return std::uniform_int_distribution<int>(from, to)(rng);
    };
    ColouredDocument doc;
    doc.update(0);
    for (int step = 0; step < 3000; ++step) {
        const int first = random(0, int(doc.lines.size()) - 1);
        const int removed = random(0, std::min(3, int(doc.lines.size()) - first));
        QStringList inserted;
        for (int k = random(removed == 0 ? 1 : 0, 3); k > 0; --k)
            inserted.append(pool[random(0, int(std::size(pool)) - 1)]);
        doc.edit(first, removed, inserted);
        ASSERT_TRUE(doc.matchesFreshColouring())
            << "after step " << step << ": replaced " << removed << " lines at " << first << " by "
            << inserted.join(u'|').toStdString();
    }
}

TEST(LineStates, TypingADocumentColoursItAsAWhole)
{
    // Types the golden sample character by character, as a user would.
    const QStringList sample = readLines(dataPath("tags.html"));
    ASSERT_FALSE(sample.isEmpty());
    ColouredDocument doc;
    doc.update(0);
    for (qsizetype i = 0; i < sample.size(); ++i) {
        if (i > 0)
            doc.edit(int(i) - 1, 1, {doc.lines.back(), QString()}); // Enter at the line end
        for (const QChar c : sample[i])
            doc.edit(int(i), 1, {doc.lines.back() + c});
    }
    EXPECT_EQ(doc.lines, sample);
    EXPECT_TRUE(doc.matchesFreshColouring());
}

TEST(LineStates, ColouringStopsWhereTheOldStatesResume)
{
    ColouredDocument doc;
    doc.edit(0, 1, QStringList(1000, QStringLiteral("<p>text &amp; more</p>")));
    EXPECT_EQ(doc.coloured, 1000);

    const struct
    {
        int line;
        const char* text;
        int coloured;
    } edits[] = {
        {500, "changed <b>inside</b> one line", 1},
        {10, "<!-- opens a comment", 990}, // every later line changes
        {20, "-->", 980},                  // and back again
        {30, "<script>", 970},
        {30, "<script></script>", 970},
        {40, "<td align=", 2}, // a tag left open recolours the next line...
        {41, "center>", 1},    // ...which then closes it as before
    };
    for (const auto& e : edits) {
        doc.edit(e.line, 1, {QString::fromUtf8(e.text)});
        EXPECT_EQ(doc.coloured, e.coloured) << e.text;
        EXPECT_TRUE(doc.matchesFreshColouring()) << e.text;
    }
}

TEST(LineStates, RemovingAndInsertingWholeLines)
{
    ColouredDocument doc;
    doc.edit(0, 1,
             {QStringLiteral("a"), QStringLiteral("<!--"), QStringLiteral("b"),
              QStringLiteral("-->"), QStringLiteral("c")});
    doc.edit(1, 1, {}); // the comment's opening line goes
    EXPECT_TRUE(doc.matchesFreshColouring());
    doc.edit(1, 0, {QStringLiteral("<!--")}); // and comes back before "b"
    EXPECT_TRUE(doc.matchesFreshColouring());
    doc.edit(2, 3, {}); // everything after it goes
    EXPECT_TRUE(doc.matchesFreshColouring());
    doc.edit(0, 2, {}); // and the rest: one empty line stays
    EXPECT_EQ(doc.states.lineCount(), 1);
    EXPECT_TRUE(doc.matchesFreshColouring());
}
