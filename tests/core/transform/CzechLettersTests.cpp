#include "core/text/Windows1250.h"
#include "core/transform/CzechLetters.h"
#include "core/transform/TextCase.h"

#include <gtest/gtest.h>

namespace qw {
namespace {

// The diacritics table as the program's native code page writes it: the byte
// of each letter and the plain letter it becomes.
TEST(CzechLetters, DiacriticsTableByCodePageByte)
{
    struct Row
    {
        unsigned char byte;
        char16_t letter; // the letter the byte stands for
        char16_t plain;
    };
    const Row rows[] = {
        {0x8A, u'Š', u'S'}, {0x8D, u'Ť', u'T'}, {0x8E, u'Ž', u'Z'}, {0x9A, u'š', u's'},
        {0x9D, u'ť', u't'}, {0x9E, u'ž', u'z'}, {0xC1, u'Á', u'A'}, {0xC8, u'Č', u'C'},
        {0xC9, u'É', u'E'}, {0xCC, u'Ě', u'E'}, {0xCD, u'Í', u'I'}, {0xD2, u'Ň', u'N'},
        {0xD8, u'Ř', u'R'}, {0xD9, u'Ů', u'U'}, {0xDA, u'Ú', u'U'}, {0xDD, u'Ý', u'Y'},
        {0xE1, u'á', u'a'}, {0xE8, u'č', u'c'}, {0xE9, u'é', u'e'}, {0xEC, u'ě', u'e'},
        {0xED, u'í', u'i'}, {0xF2, u'ň', u'n'}, {0xF8, u'ř', u'r'}, {0xF9, u'ů', u'u'},
        {0xFA, u'ú', u'u'}, {0xFD, u'ý', u'y'},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.byte));
        EXPECT_EQ(windows1250Char(r.byte), r.letter);
        EXPECT_EQ(withoutDiacritics(QChar(r.letter)), QChar(r.plain));
    }
}

TEST(CzechLetters, RemoveDiacriticsOnAllCzechLettersInsideAndOutsideTags)
{
    EXPECT_EQ(removeDiacritics(u"ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ áčďéěíňóřšťúůýž"),
              u"ACĎEEINÓRSTUUYZ acďeeinórstuuyz");
    EXPECT_EQ(removeDiacritics(u"<img alt=\"Žluť\">Příliš žluťoučký kůň"),
              u"<img alt=\"Zlut\">Prilis zlutoucky kun");
    // Letters of other languages and characters outside the code page stay.
    EXPECT_EQ(removeDiacritics(u"äöü ß € 😀"), u"äöü ß € 😀");
}

TEST(CzechLetters, CaseInversionSwapsThePairsOfTheTable)
{
    EXPECT_EQ(changeCaseOutsideTags(u"ŠšŤťŽžÁáČčÉéĚěÍíĎďŇňŘřÝý", CaseChange::Invert),
              u"šŠťŤžŽáÁčČéÉěĚíÍďĎňŇřŘýÝ");
    EXPECT_EQ(changeCaseOutsideTags(u"Hello World", CaseChange::Invert), u"hELLO wORLD");
    // Letters without a partner in the table, and tags, stay as they are.
    EXPECT_EQ(changeCaseOutsideTags(u"ÚúŮůÓóÄä", CaseChange::Invert), u"ÚúŮůÓóÄä");
    EXPECT_EQ(changeCaseOutsideTags(u"<A Href=\"X\">Ab</A>", CaseChange::Invert),
              u"<A Href=\"X\">aB</A>");
}

} // namespace
} // namespace qw
