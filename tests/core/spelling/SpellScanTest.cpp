#include "core/spelling/SpellScan.h"

#include "core/spelling/CharacterReferences.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

using namespace Qt::StringLiterals;

struct Found
{
    QStringList words;
    QStringList languages;
    QList<QByteArray> sources; // the bytes each word came from
};

Found scanAll(const QByteArray& html, qsizetype step = -1)
{
    Found f;
    SpellScanState state;
    const SpellWordSink sink = [&](const SpellWord& w) {
        f.words.append(w.text);
        f.languages.append(w.language);
        f.sources.append(html.mid(w.start, w.end - w.start));
    };
    qsizetype p = 0;
    do {
        const qsizetype to = step < 0 ? html.size() : p + step;
        const qsizetype next = scanSpelling(html, p, to, state, sink);
        EXPECT_GE(next, std::min<qsizetype>(to, html.size()));
        p = next;
    } while (p < html.size());
    return f;
}

QStringList words(const char* html)
{
    return scanAll(QByteArray(html)).words;
}

struct RangeCase
{
    const char* what;
    const char* html;
    QStringList expected;
};

// Which parts of a page are words a reader sees.
TEST(SpellScan, ChecksExactlyTheTextPeopleRead)
{
    const RangeCase cases[] = {
        {"text between tags", "<p>Dobrý den</p>", {u"Dobrý"_s, u"den"_s}},
        {"tag and attribute names",
         "<table border=1 cellpadding=\"2\"><tr><td>ok</td></tr></table>",
         {u"ok"_s}},
        {"alt and title",
         "<img src=\"obr.png\" alt=\"Modrý kůň\" title='Na louce'>",
         {u"Modrý"_s, u"kůň"_s, u"Na"_s, u"louce"_s}},
        {"placeholder and label",
         "<input placeholder=\"Vaše jméno\"><option label=\"první\">",
         {u"Vaše"_s, u"jméno"_s, u"první"_s}},
        {"other attribute values",
         "<a href=\"stranka.html\" class=\"hlavni odkaz\" id=nahoru>Zpět</a>",
         {u"Zpět"_s}},
        {"description meta only",
         "<meta name=\"Description\" content=\"Stránky obce\">"
         "<meta name=\"keywords\" content=\"obec, slovo\">",
         {u"Stránky"_s, u"obce"_s}},
        {"comments", "před <!-- skryté slovo --> po", {u"před"_s, u"po"_s}},
        {"script", "<script>var neslovo = \"text\"; if (a < b) x();</script>konec", {u"konec"_s}},
        {"style", "<STYLE type=\"text/css\">body { color: red }</STYLE>barva", {u"barva"_s}},
        {"addresses in text",
         "Pište na jan@example.cz nebo http://obec.cz/uvod a www.obec.cz",
         {u"Pište"_s, u"na"_s, u"nebo"_s}},
        {"entities decoded",
         "p&#345;&iacute;li&scaron; &amp; &#x17E;lu&#x165;ou&ccaron;k&yacute;",
         {u"příliš"_s, u"žluťoučký"_s}},
        {"unknown entity stays text", "&nosuch; slovo", {u"nosuch"_s, u"slovo"_s}},
        {"non-breaking space separates", "dvě&nbsp;slova", {u"dvě"_s, u"slova"_s}},
        {"codes with digits and single letters",
         "typ A4 a h2o v roce 2024 x86",
         {u"typ"_s, u"roce"_s}},
        {"apostrophe inside a word", "<p lang=en>don't 'quote'</p>", {u"don't"_s, u"quote"_s}},
        {"doctype and processing", "<!DOCTYPE html><?xml version=\"1.0\"?>text", {u"text"_s}},
        {"a lone less-than", "méně < více", {u"méně"_s, u"více"_s}},
        {"title element content", "<head><title>Naše obec</title></head>", {u"Naše"_s, u"obec"_s}},
    };
    for (const RangeCase& c : cases)
        EXPECT_EQ(words(c.html), c.expected) << c.what;
}

TEST(SpellScan, WordsMapBackToTheirSourceBytes)
{
    const Found f =
        scanAll("<p>x p&#345;&iacute;li&scaron;, <b title=\"&scaron;&iacute;p\">kůň</b>");
    ASSERT_EQ(f.words, (QStringList{u"příliš"_s, u"šíp"_s, u"kůň"_s}));
    EXPECT_EQ(f.sources.at(0), QByteArray("p&#345;&iacute;li&scaron;"));
    EXPECT_EQ(f.sources.at(1), QByteArray("&scaron;&iacute;p"));
    EXPECT_EQ(f.sources.at(2), QByteArray("kůň"));

    const DecodedText d = decodeText("a&lt;&#128512;b", 0, 15);
    EXPECT_EQ(d.text, u"a<\U0001F600b"_s);
    EXPECT_EQ(d.sourceOffsets, (QList<qsizetype>{0, 1, 5, 5, 14, 15}));
}

TEST(SpellScan, LanguageComesFromTheInnermostLangAttribute)
{
    const Found f =
        scanAll("<html lang=\"cs\"><body><p>Dobrý <span lang=\"en\" title=\"Hello\">world "
                "<img lang=\"de\" alt=\"Haus\"><br lang=de> again</span> den</p>"
                "<div lang=\"en-GB\"><p>colour</p></div>konec</body></html>po");
    const QStringList expectedWords = {u"Dobrý"_s, u"Hello"_s,  u"world"_s, u"Haus"_s, u"again"_s,
                                       u"den"_s,   u"colour"_s, u"konec"_s, u"po"_s};
    const QStringList expectedLanguages = {u"cs"_s, u"en"_s,    u"en"_s, u"de"_s,  u"en"_s,
                                           u"cs"_s, u"en-GB"_s, u"cs"_s, QString()};
    EXPECT_EQ(f.words, expectedWords);
    EXPECT_EQ(f.languages, expectedLanguages);
}

// A scan cut into pieces anywhere gives the words and languages of one scan
// of the whole, so checking can go on from any stop.
TEST(SpellScan, ScanInPiecesMatchesOneScan)
{
    QByteArray page = "<html lang=cs><body><!-- a -- comment --><p title=\"Titulek stránky\">";
    for (int i = 0; i < 40; ++i) {
        page += "Slovo&nbsp;za slovem <b>tučně</b>, <span lang=\"en\">some words</span> "
                "<script>if (a<b) {}</script> <img alt=\"p&#345;&iacute;klad\">\n";
    }
    page += "</p></body></html>";
    const Found whole = scanAll(page);
    ASSERT_GT(whole.words.size(), 200);
    for (qsizetype step : {1, 3, 17, 100, 4096}) {
        const Found pieces = scanAll(page, step);
        EXPECT_EQ(pieces.words, whole.words) << step;
        EXPECT_EQ(pieces.languages, whole.languages) << step;
        EXPECT_EQ(pieces.sources, whole.sources) << step;
    }
}

TEST(SpellScan, UnfinishedMarkupAtTheEndStops)
{
    for (const char* html : {"slovo <!-- bez konce", "slovo <img alt=\"bez", "slovo <script>x",
                             "slovo &#", "slovo <"}) {
        const Found f = scanAll(html);
        EXPECT_EQ(f.words.value(0), u"slovo"_s) << html;
    }
}

TEST(SpellCheckpoints, MoveWithEditsAndAnswerTheNearestBefore)
{
    SpellCheckpoints points;
    SpellScanState en;
    en.languages.append(LanguageScope{"p", u"en"_s});
    points.record(100, SpellScanState{});
    points.record(200, en);
    points.record(300, SpellScanState{});
    EXPECT_EQ(points.before(50).position, 0);
    EXPECT_EQ(points.before(250).position, 200);
    EXPECT_EQ(points.before(250).state, en);
    EXPECT_EQ(points.after(200), 300);
    EXPECT_EQ(points.after(300), -1);
    EXPECT_TRUE(points.holds(200, en));
    EXPECT_FALSE(points.holds(300, en));

    // 20 bytes at 150 replaced by 5: the checkpoint at 200 moves to 185.
    points.edited(150, 20, 5);
    EXPECT_TRUE(points.holds(185, en));
    EXPECT_TRUE(points.holds(285, SpellScanState{}));
    // A removal over a checkpoint drops it; the one at the edit stays.
    points.edited(100, 100, 0);
    EXPECT_EQ(points.size(), 2);
    EXPECT_EQ(points.before(150).position, 100);
    EXPECT_TRUE(points.holds(185, SpellScanState{}));
    points.dropFrom(101);
    EXPECT_EQ(points.before(10000).position, 100);
}

} // namespace
} // namespace qw
