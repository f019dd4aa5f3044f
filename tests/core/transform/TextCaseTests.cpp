#include "core/transform/TagCase.h"
#include "core/transform/TextCase.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

struct CaseCase
{
    const char* name;
    CaseChange change;
    QString text;
    QString expected;
};

class ChangeCase : public ::testing::TestWithParam<CaseCase>
{
};

TEST_P(ChangeCase, ChangesTextOutsideTagsOnly)
{
    const CaseCase& c = GetParam();
    const QString result = changeCaseOutsideTags(c.text, c.change);
    EXPECT_EQ(result, c.expected) << result.toStdString();
}

const CaseCase caseCases[] = {
    {"UpperLeavesTagAndValue", CaseChange::Upper, "Ahoj<a href=\"index.html\">",
     "AHOJ<a href=\"index.html\">"},
    {"UpperCzech", CaseChange::Upper, "příliš žluťoučký kůň úpěl ďábelské ódy",
     "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ ÚPĚL ĎÁBELSKÉ ÓDY"},
    {"LowerCzechKeepsTags", CaseChange::Lower, "ŽLUŤOUČKÝ<B CLASS=X>KŮŇ</B>",
     "žluťoučký<B CLASS=X>kůň</B>"},
    {"UnclosedTagRunsToTheEnd", CaseChange::Upper, "ab <i x", "AB <i x"},
    {"StrayCloseBracketIsText", CaseChange::Upper, "a>b", "A>B"},
    // A letter whose upper case is two letters keeps its length.
    {"UpperKeepsLength", CaseChange::Upper, "straße", "STRAßE"},
    {"FirstCapitalWords", CaseChange::FirstCapital, "žluťoučký kůň\r\nkoně",
     "Žluťoučký Kůň\r\nKoně"},
    {"FirstCapitalAfterTagAndBracket", CaseChange::FirstCapital, "<p>ahoj SVĚTE</p>a>b",
     "<p>Ahoj Světe</p>A>B"},
    // Only a space, a line feed and ">" start a word.
    {"FirstCapitalNotAfterTabQuoteOrParen", CaseChange::FirstCapital, "x\tALFA \"BETA (GAMA",
     "X\talfa \"beta (gama"},
    {"FirstCapitalSurrogatePair", CaseChange::FirstCapital, "𐐨𐐨 𐐀𐐀", "𐐀𐐨 𐐀𐐨"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ChangeCase, ::testing::ValuesIn(caseCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TagCaseCase
{
    const char* name;
    LetterCase letterCase;
    QString text;
    QString expected;
};

class ConvertTagCase : public ::testing::TestWithParam<TagCaseCase>
{
};

TEST_P(ConvertTagCase, ConvertsNamesButNotValuesOrText)
{
    const TagCaseCase& c = GetParam();
    const QString result = convertTagCase(c.text, c.letterCase);
    EXPECT_EQ(result, c.expected) << result.toStdString();
}

const TagCaseCase tagCaseCases[] = {
    {"LinkToUpper", LetterCase::Upper, "<a href=\"index.html\">odkaz</a>",
     "<A HREF=\"index.html\">odkaz</A>"},
    {"CommentAndDeclarationUnchanged", LetterCase::Upper, "<!doctype html><!-- <b>komentář</b> -->",
     "<!doctype html><!-- <B>komentář</B> -->"},
    {"UnquotedValueEndsAtSpaceOrClose", LetterCase::Upper, "<td width=50% nowrap class=x>y</td>",
     "<TD WIDTH=50% NOWRAP CLASS=x>y</TD>"},
    {"ToLower", LetterCase::Lower, "<TD Width=\"A B\" ALIGN=Left>TEXT</TD>",
     "<td width=\"A B\" align=Left>TEXT</td>"},
    {"NationalLettersInNames", LetterCase::Upper, "<čeština>", "<ČEŠTINA>"},
    {"MissingClosingQuoteSkipsToTheEnd", LetterCase::Upper, "<a href=\"x> <b>", "<A HREF=\"x> <b>"},
    // The skip after "=" also runs outside tags, hiding the "<" of the tag.
    {"SkipOutsideTagsHidesATag", LetterCase::Upper, "a=b<p>c", "a=b<p>c"},
    {"EqualsAtTheEnd", LetterCase::Upper, "<a b=", "<A B="},
};

INSTANTIATE_TEST_SUITE_P(Cases, ConvertTagCase, ::testing::ValuesIn(tagCaseCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qw
