#include "core/usertags/UserTagText.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(UserTagText, InsertionDropsOneBreakFromTheStartOnly)
{
    struct Case
    {
        const char* name;
        QString startFile, endFile;
        QString start, end;
    };
    const Case cases[] = {
        {"two lines and a bare end", u"x\r\ny\r\n"_s, u"z"_s, u"x\r\ny"_s, u"z\r\n"_s},
        {"empty files", u""_s, u""_s, u""_s, u""_s},
        {"start without a break", u"<b>"_s, u"</b>\r\n"_s, u"<b>"_s, u"</b>\r\n"_s},
        {"blank last line kept once", u"x\r\n\r\n"_s, u"\r\n"_s, u"x\r\n"_s, u"\r\n"_s},
        {"LF and CR breaks", u"a\nb\rc"_s, u"d\ne\n"_s, u"a\r\nb\r\nc"_s, u"d\r\ne\r\n"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UserTagInsertion texts = userTagInsertion(c.startFile, c.endFile);
        EXPECT_EQ(texts.start.toStdString(), c.start.toStdString());
        EXPECT_EQ(texts.end.toStdString(), c.end.toStdString());
    }
}

TEST(UserTagText, FieldAndFileTexts)
{
    struct Case
    {
        QString field, file;
    };
    const Case cases[] = {
        {u""_s, u""_s},
        {u"a"_s, u"a\r\n"_s},
        {u"a\nb"_s, u"a\r\nb\r\n"_s},
        {u"a\n\nb"_s, u"a\r\n\r\nb\r\n"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(userTagFileText(c.field).toStdString(), c.file.toStdString());
        EXPECT_EQ(userTagFieldText(c.file).toStdString(), c.field.toStdString());
    }
    EXPECT_EQ(userTagFileText(u"a\r\nb\r"_s), u"a\r\nb\r\n"_s);
}

} // namespace
} // namespace qw
