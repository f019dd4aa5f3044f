#include "core/filepanel/FileMask.h"

#include "core/filepanel/FilterList.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(FileMask, ListsByWholeExtensionIgnoringCase)
{
    struct Case
    {
        QString mask;
        QString file;
        bool listed;
    };
    const Case cases[] = {
        {u"*.htm;*.html"_s, u"a.htm"_s, true},
        {u"*.htm;*.html"_s, u"b.HTML"_s, true},
        {u"*.htm;*.html"_s, u"c.htm.bak"_s, false},
        {u"*.htm"_s, u"a.html"_s, false},
        {u"*.HTM"_s, u"x.htm"_s, true},
        {u"*.htm"_s, u"htm"_s, false},
        {u"*.htm"_s, u"a.b.htm"_s, true},
        {u"*.htm ; *.css"_s, u"s.css"_s, true}, // blanks round a pattern
        {u"index.*"_s, u"index.htm"_s, false},  // a named pattern lists nothing
        {u"*.txt;*.*"_s, u"a.png"_s, true},
        {u"*.*"_s, u"Makefile"_s, true}, // everything, dot or not
        {u"*"_s, u"Makefile"_s, true},
        {u"*"_s, u"a.htm"_s, true},
        {u"*.htm"_s, u"Makefile"_s, false},
        {u"*."_s, u"a."_s, true},
        {u""_s, u"a.htm"_s, false},
        {u";"_s, u"a.htm"_s, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileMask(c.mask).matches(c.file), c.listed)
            << c.mask.toStdString() << " / " << c.file.toStdString();
    }
}

TEST(FilterList, SplitsIntoNameAndMaskPairs)
{
    using E = FileFilterEntry;
    struct Case
    {
        QString text;
        QList<FileFilterEntry> entries;
    };
    const Case cases[] = {
        {u"HTML soubory|*.htm;*.html|Všechny soubory (*.*)|*.*|"_s,
         {E{u"HTML soubory"_s, u"*.htm;*.html"_s}, E{u"Všechny soubory (*.*)"_s, u"*.*"_s}}},
        {u"Text|*.txt"_s, {E{u"Text"_s, u"*.txt"_s}}}, // closing bar missing
        {u""_s, {}},
        {u"A||B|*.b|"_s, {E{u"A"_s, u""_s}, E{u"B"_s, u"*.b"_s}}},
        {u"A|*.a|Zbytek|"_s, {E{u"A"_s, u"*.a"_s}, E{u"Zbytek"_s, u"*.*"_s}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseFilterText(c.text), c.entries) << c.text.toStdString();
}

} // namespace
} // namespace qw
