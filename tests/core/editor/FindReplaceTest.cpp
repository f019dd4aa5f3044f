#include "core/editor/FindReplace.h"

#include "core/editor/MemoryEditor.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

struct Selection
{
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const Selection&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Selection& s)
{
    return os << "(" << s.start << ", " << s.length << ")";
}

Selection selectionOf(const EditorWidget& e)
{
    return {e.selectionStart(), e.selectionLength()};
}

void select(EditorWidget& e, Selection s)
{
    e.setSelectionStart(s.start);
    e.setSelectionLength(s.length);
}

constexpr FindOptions kForward{true, false, false};
constexpr FindOptions kBackward{false, false, false};
constexpr FindOptions kWholeWords{true, true, false};
constexpr FindOptions kMatchCase{true, false, true};

// One search from a given selection: where the selection ends up, or that
// nothing was found and the selection stayed.
TEST(FindText, MatchingRules)
{
    struct Case
    {
        const char* name;
        const char* text;
        Selection from;
        const char* what;
        FindOptions options;
        bool found;
        Selection to;
    };
    const Case cases[] = {
        {"forward selects backwards from the match end",
         "tag tag",
         {0, 0},
         "tag",
         kForward,
         true,
         {3, -3}},
        {"forward continues after a match it selected",
         "tag tag",
         {3, -3},
         "tag",
         kForward,
         true,
         {7, -3}},
        {"forward past the last match", "tag tag", {7, -3}, "tag", kForward, false, {7, -3}},
        {"forward ignores a match starting before the caret",
         "xtag",
         {2, 0},
         "tag",
         kForward,
         false,
         {2, 0}},
        {"backward selects forwards from the match start",
         "ab ab ab",
         {8, 0},
         "ab",
         kBackward,
         true,
         {6, 2}},
        {"backward from a match start finds the one before",
         "ab ab ab",
         {6, 2},
         "ab",
         kBackward,
         true,
         {3, 2}},
        {"backward takes a match running over the caret",
         "ab ab",
         {4, 0},
         "ab",
         kBackward,
         true,
         {3, 2}},
        {"backward at the start", "ab ab", {0, 2}, "ab", kBackward, false, {0, 2}},
        {"brackets are no separators", "(a)", {0, 0}, "a", kWholeWords, false, {0, 0}},
        {"equals and semicolon are separators", "x=a;", {0, 0}, "a", kWholeWords, true, {3, -1}},
        {"a word inside a word is skipped", "aa a", {0, 0}, "a", kWholeWords, true, {4, -1}},
        {"line start and end bound a word", "x\r\na\r\ny", {0, 0}, "a", kWholeWords, true, {4, -1}},
        {"text start and end bound a word", "a", {0, 0}, "a", kWholeWords, true, {1, -1}},
        {"whole words backward",
         "ab-ab ab",
         {8, 0},
         "ab",
         FindOptions{false, true, false},
         true,
         {6, 2}},
        {"whole words backward skips a non-word",
         "ab ab-",
         {6, 0},
         "ab",
         FindOptions{false, true, false},
         true,
         {0, 2}},
        {"national letters keep their case", "čas", {0, 0}, "ČAS", kForward, false, {0, 0}},
        {"ASCII letters ignore case", "a text", {0, 0}, "TEXT", kForward, true, {6, -4}},
        {"mixed word ignores ASCII case only", "Čas čAS", {0, 0}, "čas", kForward, true, {7, -3}},
        {"match case", "text TEXT", {0, 0}, "TEXT", kMatchCase, true, {9, -4}},
        {"match case misses other case", "text", {0, 0}, "TEXT", kMatchCase, false, {0, 0}},
        {"no match across a break", "ab\r\ncd", {0, 0}, "bc", kForward, false, {0, 0}},
        {"a search text with CR LF finds nothing",
         "ab\r\ncd",
         {0, 0},
         "b\r\nc",
         kForward,
         false,
         {0, 0}},
        {"a search text with LF finds nothing",
         "ab\r\ncd",
         {0, 0},
         "b\nc",
         kForward,
         false,
         {0, 0}},
        {"empty search text finds nothing", "abc", {1, 0}, "", kForward, false, {1, 0}},
        {"second line", "abc\r\nxbx", {2, 0}, "B", kForward, true, {7, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryEditor e(QString::fromUtf8(c.text));
        e.setModified(false);
        select(e, c.from);
        EXPECT_EQ(findText(e, QString::fromUtf8(c.what), c.options), c.found);
        EXPECT_EQ(selectionOf(e), c.to);
        EXPECT_EQ(e.text(), QString::fromUtf8(c.text));
        EXPECT_FALSE(e.isModified());
    }
}

TEST(FindText, EachSeparatorBoundsAWordAndNothingElseDoes)
{
    const QString separators = QStringLiteral("\t $%&,./:;<=>");
    for (const QChar s : separators) {
        SCOPED_TRACE(QString(s).toStdString());
        MemoryEditor e(QStringLiteral("xa") + s + QStringLiteral("a") + s + QStringLiteral("y"));
        EXPECT_TRUE(findText(e, QStringLiteral("a"), kWholeWords));
        EXPECT_EQ(selectionOf(e), (Selection{4, -1}));
    }
    const QString others = QStringLiteral("-()[]\"'_!?#@*+{}|\\~^`0");
    for (const QChar s : others) {
        SCOPED_TRACE(QString(s).toStdString());
        MemoryEditor e(QStringLiteral(" ") + s + QStringLiteral("a") + s + QStringLiteral(" "));
        EXPECT_FALSE(findText(e, QStringLiteral("a"), kWholeWords));
    }
}

// The text is read in windows; a match lying across a window's edge must
// still be found in both directions.
TEST(FindText, FindsMatchesAcrossReadingWindows)
{
    const qsizetype size = 200'000;
    for (const qsizetype at : {qsizetype(0), qsizetype(65'530), qsizetype(65'536),
                               qsizetype(131'070), size - 65'540, size - 65'536, size - 6}) {
        SCOPED_TRACE(at);
        QString text(size, u'x');
        text.replace(at, 6, QStringLiteral("Needle"));
        MemoryEditor e(text);
        EXPECT_TRUE(findText(e, QStringLiteral("nEEDLE"), kForward));
        EXPECT_EQ(selectionOf(e), (Selection{at + 6, -6}));
        e.setSelectionStart(size);
        EXPECT_TRUE(findText(e, QStringLiteral("needle"), kBackward));
        EXPECT_EQ(selectionOf(e), (Selection{at, 6}));
    }
}

TEST(ReplaceNext, ReplacesTheMatchAFindSelected)
{
    MemoryEditor e(QStringLiteral("tag tag"));
    ASSERT_TRUE(findText(e, QStringLiteral("tag"), kForward));
    EXPECT_TRUE(replaceNext(e, QStringLiteral("tag"), QStringLiteral("<b>"), kForward));
    EXPECT_EQ(e.text(), QStringLiteral("<b> tag"));
    EXPECT_EQ(selectionOf(e), (Selection{3, 0}));
    EXPECT_TRUE(replaceNext(e, QStringLiteral("tag"), QStringLiteral("<b>"), kForward));
    EXPECT_EQ(e.text(), QStringLiteral("<b> <b>"));
    EXPECT_EQ(selectionOf(e), (Selection{7, 0}));

    // Nothing left: the text stays, the caret is where the search began.
    EXPECT_FALSE(replaceNext(e, QStringLiteral("tag"), QStringLiteral("<b>"), kForward));
    EXPECT_EQ(e.text(), QStringLiteral("<b> <b>"));
    EXPECT_EQ(selectionOf(e), (Selection{7, 0}));
}

TEST(ReplaceNext, StartsAtTheEndOfAForwardSelectionAndAlwaysSearchesForward)
{
    MemoryEditor e(QStringLiteral("ab ab ab"));
    select(e, {0, 4});
    EXPECT_TRUE(replaceNext(e, QStringLiteral("ab"), QStringLiteral("X"), kBackward));
    EXPECT_EQ(e.text(), QStringLiteral("ab ab X"));
    EXPECT_EQ(selectionOf(e), (Selection{7, 0}));

    select(e, {4, 1});
    EXPECT_FALSE(replaceNext(e, QStringLiteral("ab"), QStringLiteral("X"), kForward));
    EXPECT_EQ(selectionOf(e), (Selection{5, 0}));
}

TEST(ReplaceAll, CountsAndDoesNotLoopOnItsOwnReplacement)
{
    MemoryEditor e(QStringLiteral("a a"));
    e.clearUndo();
    EXPECT_EQ(replaceAll(e, QStringLiteral("a"), QStringLiteral("aa"), kForward), 2);
    EXPECT_EQ(e.text(), QStringLiteral("aa aa"));
    EXPECT_EQ(selectionOf(e), (Selection{5, 0}));
    e.undo();
    EXPECT_EQ(e.text(), QStringLiteral("a a"));
    EXPECT_FALSE(e.canUndo());
}

TEST(ReplaceAll, NoMatchChangesNothing)
{
    MemoryEditor e(QStringLiteral("abc"));
    e.clearUndo();
    e.setModified(false);
    select(e, {1, 1});
    EXPECT_EQ(replaceAll(e, QStringLiteral("x"), QStringLiteral("y"), kForward), 0);
    EXPECT_EQ(e.text(), QStringLiteral("abc"));
    EXPECT_FALSE(e.canUndo());
    EXPECT_FALSE(e.isModified());
    EXPECT_EQ(selectionOf(e), (Selection{2, 0}));
}

TEST(ReplaceAll, LeavesTextBeforeTheCaretAlone)
{
    MemoryEditor e(QStringLiteral("a a a\r\na"));
    e.setSelectionStart(2);
    EXPECT_EQ(replaceAll(e, QStringLiteral("a"), QStringLiteral("b"), kForward), 3);
    EXPECT_EQ(e.text(), QStringLiteral("a b b\r\nb"));

    // After a forward find the caret stands at the match's end; the match
    // itself is replaced too.
    MemoryEditor f(QStringLiteral("a a a"));
    f.setSelectionStart(1);
    ASSERT_TRUE(findText(f, QStringLiteral("a"), kForward));
    EXPECT_EQ(replaceAll(f, QStringLiteral("a"), QStringLiteral("b"), kForward), 2);
    EXPECT_EQ(f.text(), QStringLiteral("a b b"));
}

// Replace all must give exactly what repeating replaceNext gives, including
// where a replacement changes what stands before the next match.
TEST(ReplaceAll, EqualsRepeatedReplaceNext)
{
    struct Case
    {
        const char* text;
        qsizetype caret;
        const char* what;
        const char* replacement;
        FindOptions options;
    };
    const Case cases[] = {
        {"a a", 0, "a", "aa", kForward},
        {"aaaa", 0, "aa", "a", kForward},
        {"aaa", 1, "a", "", kForward},
        {"Tag TAG tag\r\ntAg", 0, "tag", "x", kForward},
        {"Tag TAG tag", 0, "tag", "x", kMatchCase},
        {"a a-a a", 0, "a", "b", kWholeWords},
        {".a.a.a", 0, ".a", "x", kWholeWords},
        {".a.a.a", 0, ".a", "x.", kWholeWords},
        {" .a.a.a", 0, ".a", "", kWholeWords},
        {"x.a.a", 0, ".a", "", kWholeWords},
        {"a=a=a", 0, "a=", "b=", kWholeWords},
        {"one\r\ntwo", 0, "o", "\n", kForward},
        {"čas ČAS čas", 0, "čas", "x", kForward},
        {"abc", 0, "", "x", kForward},
        {"abc", 0, "b\nc", "x", kForward},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " / " << c.what << " -> " << c.replacement);
        MemoryEditor bulk(QString::fromUtf8(c.text));
        MemoryEditor stepwise(QString::fromUtf8(c.text));
        bulk.setSelectionStart(c.caret);
        stepwise.setSelectionStart(c.caret);
        const QString what = QString::fromUtf8(c.what);
        const QString replacement = QString::fromUtf8(c.replacement);

        qsizetype steps = 0;
        while (replaceNext(stepwise, what, replacement, c.options) && steps < 100)
            ++steps;
        EXPECT_EQ(replaceAll(bulk, what, replacement, c.options), steps);
        EXPECT_EQ(bulk.text(), stepwise.text());
        EXPECT_EQ(selectionOf(bulk), selectionOf(stepwise));
    }
}

// Going on from the start of the text: what replaceNext gives from the caret
// to the end, then again from the start of the text as long as the match it
// finds starts before the caret and ends before the first replacement made
// after it. The question comes only when the caret was not at the start,
// before anything changed, and both passes undo as one step.
TEST(ReplaceAllWrapping, GoesOnFromTheStartUpToTheFirstPass)
{
    struct Case
    {
        const char* text;
        qsizetype caret;
        const char* what;
        const char* replacement;
        FindOptions options;
        bool goOn;
        const char* result;
    };
    const Case cases[] = {
        {"<b>x</b>", 3, "<b>", "<B>", kMatchCase, true, "<B>x</b>"},
        {"<b>x</b>", 3, "<b>", "<B>", kMatchCase, false, "<b>x</b>"},
        {"a a a", 2, "a", "b", kForward, true, "b b b"},
        {"a a a", 2, "a", "b", kForward, false, "a b b"},
        // A match around the caret counts when nothing was replaced after it.
        {"abc", 1, "abc", "x", kForward, true, "x"},
        // A match around the caret reaching into the first pass's
        // replacement is left alone.
        {"aaa", 1, "aa", "b", kForward, true, "ab"},
        {"a a", 1, "a", "aa", kForward, true, "aa aa"},
        {"a a a a", 4, "a", "bb", kForward, true, "bb bb bb bb"},
        {"aa aa aa", 5, "aa", "b", kForward, true, "b b b"},
        // Whole words at the first replacement: its first character, or
        // for an empty one what followed the run it removed, ends the word.
        {"a.a.", 2, "a.", ",", kWholeWords, true, ",,"},
        {"==", 1, "=", "x", kWholeWords, true, "=x"},
        {"a.a. x", 2, "a.", "", kWholeWords, true, " x"},
        {"tag\r\ntag", 3, "tag", "x", kForward, true, "x\r\nx"},
        {"abc", 3, "x", "y", kForward, true, "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " @" << c.caret << " / " << c.what << " -> "
                                        << c.replacement << (c.goOn ? " going on" : ""));
        const QString text = QString::fromUtf8(c.text);
        const QString what = QString::fromUtf8(c.what);
        const QString replacement = QString::fromUtf8(c.replacement);

        MemoryEditor stepwise(text);
        stepwise.setSelectionStart(c.caret);
        qsizetype steps = 0;
        qsizetype firstReplaced = -1;
        for (;;) {
            stepwise.setSelectionStart(stepwise.selectionStart() + stepwise.selectionLength());
            if (!findText(stepwise, what, c.options) || steps > 100)
                break;
            if (firstReplaced < 0)
                firstReplaced = stepwise.selectionStart() + stepwise.selectionLength();
            stepwise.replaceSelection(replacement);
            ++steps;
        }
        qsizetype wrappedSteps = 0;
        if (c.goOn) {
            // Both limits move with the replacements made before them.
            const qsizetype shift = replacement.size() - what.size();
            qsizetype startsBefore = c.caret;
            stepwise.setSelectionStart(0);
            for (;;) {
                stepwise.setSelectionStart(stepwise.selectionStart() + stepwise.selectionLength());
                const qsizetype before = stepwise.selectionStart();
                if (!findText(stepwise, what, c.options)) {
                    stepwise.setSelectionStart(before);
                    break;
                }
                const qsizetype from = stepwise.selectionStart() + stepwise.selectionLength();
                if (from >= startsBefore ||
                    (firstReplaced >= 0 && stepwise.selectionStart() > firstReplaced)) {
                    stepwise.setSelectionStart(before);
                    break;
                }
                stepwise.replaceSelection(replacement);
                startsBefore += shift;
                if (firstReplaced >= 0)
                    firstReplaced += shift;
                ++steps;
                ++wrappedSteps;
            }
        }
        EXPECT_EQ(stepwise.text(), QString::fromUtf8(c.result));

        MemoryEditor bulk(text);
        bulk.clearUndo();
        bulk.setSelectionStart(c.caret);
        int asked = 0;
        const qsizetype count = replaceAllWrapping(bulk, what, replacement, c.options, [&] {
            ++asked;
            EXPECT_EQ(bulk.text(), text);
            return c.goOn;
        });
        EXPECT_EQ(asked, c.caret > 0 ? 1 : 0);
        EXPECT_EQ(count, steps);
        EXPECT_EQ(bulk.text(), stepwise.text());
        if (wrappedSteps > 0) {
            EXPECT_EQ(selectionOf(bulk), selectionOf(stepwise));
        }
        if (count > 0) {
            bulk.undo();
            EXPECT_EQ(bulk.text(), text);
            EXPECT_FALSE(bulk.canUndo());
        }
    }
}

TEST(ReplaceAllWrapping, AsksNothingFromTheStartOfTheText)
{
    MemoryEditor e(QStringLiteral("x a"));
    bool asked = false;
    EXPECT_EQ(replaceAllWrapping(e, QStringLiteral("a"), QStringLiteral("b"), kForward,
                                 [&] { return asked = true; }),
              1);
    EXPECT_FALSE(asked);
    EXPECT_EQ(e.text(), QStringLiteral("x b"));
}

} // namespace
} // namespace qw
