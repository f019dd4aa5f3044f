#include "core/builders/SelectOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(SelectOptions, CountThreeGivesThreeIndentedOptionsAfterALineBreak)
{
    EXPECT_EQ(buildSelectOptions(3), u"\r\n"
                                     "\t<option value=\"1\" SELECTED></option>\r\n"
                                     "\t<option value=\"2\"></option>\r\n"
                                     "\t<option value=\"3\"></option>\r\n"_s);
}

TEST(SelectOptions, FieldTextToCount)
{
    struct Case
    {
        QString field;
        int count;
        QString fieldAfter;
        qsizetype options;
    };
    const Case cases[] = {
        {u""_s, 0, u"0"_s, 1}, // an empty field shows 0 afterwards
        {u"0"_s, 0, u"0"_s, 1},
        {u"1"_s, 1, u"1"_s, 1},
        {u"12"_s, 12, u"12"_s, 12},
        {u"abc"_s, 0, u"abc"_s, 1},                 // pasted text counts as 0
        {u"99999999999"_s, 0, u"99999999999"_s, 1}, // not a whole int
        {u"2000000000"_s, kMaxSelectOptions, u"2000000000"_s, kMaxSelectOptions},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field.toStdString());
        const SelectOptionCount read = readSelectOptionCount(c.field);
        EXPECT_EQ(read.count, c.count);
        EXPECT_EQ(read.fieldText, c.fieldAfter);
        const QString text = buildSelectOptions(read.count);
        EXPECT_EQ(text.count(u"<option "_s), c.options);
        EXPECT_EQ(text.count(u"SELECTED"_s), 1);
        EXPECT_TRUE(text.endsWith(u"<option value=\""_s + QString::number(c.options) +
                                  (c.options == 1 ? u"\" SELECTED"_s : u"\""_s) +
                                  u"></option>\r\n"_s));
    }
}

} // namespace
} // namespace qw
