#include "core/text/SaveFormat.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(SaveFormat, NamesTheBreakItsNameSays)
{
    struct Case
    {
        QString format;
        LineBreak previous;
        LineBreak expected;
    };
    const Case cases[] = {
        {u"WIN"_s, LineBreak::Lf, LineBreak::CrLf},
        {u"UNIX"_s, LineBreak::CrLf, LineBreak::Lf},
        {u"MAC"_s, LineBreak::CrLf, LineBreak::Cr},
        // Anything else, including another letter case, keeps the old break.
        {u"win"_s, LineBreak::Lf, LineBreak::Lf},
        {u""_s, LineBreak::Cr, LineBreak::Cr},
        {u" WIN"_s, LineBreak::LfCr, LineBreak::LfCr},
        {u"DOS"_s, LineBreak::Lf, LineBreak::Lf},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lineBreakForSaveFormat(c.format, c.previous), c.expected)
            << c.format.toStdString();
}

} // namespace
} // namespace qw
