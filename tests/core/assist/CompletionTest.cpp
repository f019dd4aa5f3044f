#include "core/assist/Completion.h"

#include "AssistTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

QStringList shownOf(const QList<OfferEntry>& entries)
{
    QStringList shown;
    for (const OfferEntry& e : entries)
        shown.append(e.shown);
    return shown;
}

struct OfferCase
{
    const char* what;
    QString marked; // "|" is the caret
    OfferKind kind;
    QStringList shown;
    QString typed;
    bool upperCaseNames = false;
};

void PrintTo(const OfferCase& c, std::ostream* os)
{
    *os << c.what;
}

class OfferTable : public testing::TestWithParam<OfferCase>
{
protected:
    test::SmallDefinitions m_definitions;
};

TEST_P(OfferTable, OffersWhatFitsTheCaret)
{
    const OfferCase& c = GetParam();
    qsizetype caret = 0;
    const QString text = test::withoutCaret(c.marked, caret);
    OfferOptions options;
    options.tagCase.upperTag = !c.upperCaseNames;
    const Offer offer = offerAt(text, caret, m_definitions.tags(), options);
    EXPECT_EQ(offer.kind, c.kind) << c.what;
    EXPECT_EQ(shownOf(offer.entries), c.shown) << c.what;
    if (c.kind != OfferKind::None) {
        EXPECT_EQ(offer.typed, c.typed) << c.what;
        EXPECT_EQ(text.sliced(offer.from, caret - offer.from), c.typed) << c.what;
    }
}

const QStringList kEveryGlobal{u"class"_s, u"dir"_s, u"id"_s, u"lang"_s, u"style"_s, u"title"_s};

INSTANTIATE_TEST_SUITE_P(
    Places, OfferTable,
    testing::Values(
        OfferCase{"after <: every element, the definitions' comment section left out",
                  u"<p>x <|"_s,
                  OfferKind::TagName,
                  {u"a"_s, u"br"_s, u"p"_s, u"table"_s, u"td"_s, u"textarea"_s},
                  QString()},
        OfferCase{"after <ta: only the names starting so",
                  u"<ta|"_s,
                  OfferKind::TagName,
                  {u"table"_s},
                  u"ta"_s},
        OfferCase{"names in the configured upper case", u"<T|"_s, OfferKind::TagName,
                  QStringList{u"TABLE"_s, u"TD"_s, u"TEXTAREA"_s}, u"T"_s, true},
        OfferCase{"inside <td with width present: the rest of its and the global attributes",
                  u"<td width=\"5\" |>"_s, OfferKind::AttributeName,
                  QStringList{u"align"_s, u"bgcolor"_s, u"class"_s, u"dir"_s, u"id"_s, u"lang"_s,
                              u"nowrap"_s, u"style"_s, u"title"_s},
                  QString()},
        OfferCase{"an attribute typed before others, present ones after the caret left out",
                  u"<td b| ID=x Width=3 style='a'>"_s,
                  OfferKind::AttributeName,
                  {u"bgcolor"_s},
                  u"b"_s},
        OfferCase{"inside a value of align",
                  u"<td align=\"c|\">"_s,
                  OfferKind::AttributeValue,
                  {u"center"_s},
                  u"c"_s},
        OfferCase{"an empty value of align in single quotes", u"<p align='|'>"_s,
                  OfferKind::AttributeValue, QStringList{u"left"_s, u"right"_s}, QString()},
        OfferCase{"colour names for a colour", u"<td bgcolor=\"b|"_s, OfferKind::AttributeValue,
                  QStringList{u"black"_s, u"blue"_s}, u"b"_s},
        OfferCase{"after &sc: the named characters with the character, by exact case",
                  u"a &sc|"_s,
                  OfferKind::Entity,
                  {u"scaron \u0161"_s},
                  u"sc"_s},
        OfferCase{"after &: numeric forms are not names", u"&|"_s, OfferKind::Entity,
                  QStringList{u"copy \u00A9"_s, u"Scaron \u0160"_s, u"scaron \u0161"_s}, QString()},
        OfferCase{"after </ inside nested elements: the innermost open one",
                  u"<table><tr><td><b>x</b><br>y</|"_s,
                  OfferKind::EndTag,
                  {u"td"_s},
                  QString()},
        OfferCase{"an end tag closes what was opened inside it",
                  u"<div><p><span>a</p> b </|"_s,
                  OfferKind::EndTag,
                  {u"div"_s},
                  QString()},
        OfferCase{"a tag inside a comment or a script opens nothing",
                  u"<div><!-- <p> --><script>var s = '<p>';</script></|"_s,
                  OfferKind::EndTag,
                  {u"div"_s},
                  QString()},
        OfferCase{"a typed start of the end tag must fit", u"<div><p>a</d|"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"nothing open: nothing offered", u"<br><p>a</p></|"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"inside a comment nothing is offered", u"<p><!-- see <ta|"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"inside a comment no attribute either", u"<!-- <td |"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"inside a script nothing is offered", u"<script>if (a <ta|"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"inside a script no entity either", u"<script>x = a &sc|"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"after a script's end tag names are offered again",
                  u"<script>a<b</script><ta|"_s,
                  OfferKind::TagName,
                  {u"table"_s},
                  u"ta"_s},
        OfferCase{"after a comment's end names are offered again", u"<!-- x --><ta|"_s,
                  OfferKind::TagName, QStringList{u"table"_s}, u"ta"_s},
        OfferCase{"plain text after a tag's end: nothing", u"<td width=1> wi|"_s, OfferKind::None,
                  QStringList{}, QString()},
        OfferCase{"between a name and its equals sign's value: nothing", u"<td align=| >"_s,
                  OfferKind::None, QStringList{}, QString()}),
    [](const testing::TestParamInfo<OfferCase>& info) {
        return "case" + std::to_string(info.index);
    });

TEST(Offers, EndTagInsertsTheNameInTheConfiguredCaseWithItsGreaterThan)
{
    test::SmallDefinitions definitions;
    for (const bool lower : {true, false}) {
        OfferOptions options;
        options.tagCase.upperTag = lower;
        const QString text = u"<P>x</"_s;
        const Offer offer = offerAt(text, text.size(), definitions.tags(), options);
        ASSERT_EQ(offer.entries.size(), 1);
        EXPECT_EQ(offer.entries.first().insert, lower ? u"p>"_s : u"P>"_s);
    }
}

TEST(Offers, AFlagAttributeIsBareOnlyInAnHtml5Document)
{
    test::SmallDefinitions definitions;
    const QString text = u"<td now"_s;
    OfferOptions options;
    Offer offer = offerAt(text, text.size(), definitions.tags(), options);
    ASSERT_EQ(offer.entries.size(), 1);
    EXPECT_FALSE(offer.entries.first().boolean);
    EXPECT_TRUE(offer.entries.first().hasValues);

    options.html5 = true;
    offer = offerAt(text, text.size(), definitions.tags(), options);
    ASSERT_EQ(offer.entries.size(), 1);
    EXPECT_TRUE(offer.entries.first().boolean);
    EXPECT_FALSE(offer.entries.first().hasValues);

    // Attributes with values say so; a plain text one does not.
    offer = offerAt(u"<td "_s, 4, definitions.tags(), options);
    for (const OfferEntry& e : offer.entries)
        EXPECT_EQ(e.hasValues, e.shown == u"align"_s || e.shown == u"bgcolor"_s)
            << e.shown.toStdString();
}

TEST(Offers, AddressValuesAreTheDocumentsFilesFollowingIntoFolders)
{
    test::SmallDefinitions definitions;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkpath(u"img/icons"_s));
    for (const QString& name : {u"index.html"_s, u"img/logo.png"_s, u"img/back.gif"_s}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    OfferOptions options;
    options.documentFolder = folder.path();

    struct Case
    {
        QString text;
        QStringList shown;
    } cases[] = {
        {u"<a href=\""_s, {u"img/"_s, u"index.html"_s}},
        {u"<a href=\"i"_s, {u"img/"_s, u"index.html"_s}},
        {u"<a href=\"img/"_s, {u"img/back.gif"_s, u"img/icons/"_s, u"img/logo.png"_s}},
        {u"<a href=\"img/l"_s, {u"img/logo.png"_s}},
        {u"<a href=\"http://x/"_s, {}},
        // src and action are addresses even where no definition says so.
        {u"<frame src=\"in"_s, {u"index.html"_s}},
        {u"<form action='in"_s, {u"index.html"_s}},
    };
    for (const Case& c : cases) {
        const Offer offer = offerAt(c.text, c.text.size(), definitions.tags(), options);
        EXPECT_EQ(offer.kind, OfferKind::AttributeValue) << c.text.toStdString();
        EXPECT_EQ(shownOf(offer.entries), c.shown) << c.text.toStdString();
    }
    const Offer folderOffer = offerAt(u"<a href=\"im"_s, 11, definitions.tags(), options);
    ASSERT_FALSE(folderOffer.entries.isEmpty());
    EXPECT_TRUE(folderOffer.entries.first().folder);

    // A document without a file has no folder to offer.
    EXPECT_TRUE(offerAt(u"<a href=\""_s, 9, definitions.tags(), OfferOptions()).entries.isEmpty());
}

} // namespace
} // namespace qw
