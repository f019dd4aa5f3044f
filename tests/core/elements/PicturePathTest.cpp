#include "core/elements/PicturePath.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

TEST(PicturePath, ResolvesAgainstTheDocumentsFolder)
{
    const struct
    {
        QString address;
        QString document;
        QString expected;
    } cases[] = {
        {u"obr/pes.gif"_s, u"/web/a/index.html"_s, u"/web/a/obr/pes.gif"_s},
        {u"../obr/pes.gif"_s, u"/web/a/index.html"_s, u"/web/obr/pes.gif"_s},
        {u"obr\\pes.gif"_s, u"/web/a/index.html"_s, u"/web/a/obr/pes.gif"_s},
        {u"/pics/p.jpg"_s, u"/web/a/index.html"_s, u"/pics/p.jpg"_s},
        {u"/pics/p.jpg"_s, u"dokument1"_s, u"/pics/p.jpg"_s},
        {u"file:///pics/p.jpg"_s, QString(), u"/pics/p.jpg"_s},
        {u"p.jpg"_s, u"dokument1"_s, QString()},
        {u"p.jpg"_s, QString(), QString()},
        {u"http://example.com/p.gif"_s, u"/web/a/index.html"_s, QString()},
        {QString(), u"/web/a/index.html"_s, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        EXPECT_EQ(picturePreviewPath(c.address, c.document), c.expected);
    }
}

} // namespace
} // namespace qw
