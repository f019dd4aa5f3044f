#include "core/filepanel/FileLinkTexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

struct LinkCase
{
    const char* what;
    QString file; // relative to the temporary folder
    bool upperTag;
    bool lowerFileName;
    QString start;
    QString end;
};

TEST(FileLinkTexts, LinkRelativeToTheDocumentWithOnlyTheNamesInTagCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"site/Obrazky"_s));
    touch(dir.filePath(u"site/index.html"_s));
    touch(dir.filePath(u"site/Kontakt.HTML"_s));
    touch(dir.filePath(u"site/Obrazky/Logo.png"_s));
    touch(dir.filePath(u"Jinde.htm"_s));
    const QString document = dir.filePath(u"site/index.html"_s);

    const LinkCase cases[] = {
        {"same folder, defaults", u"site/Kontakt.HTML"_s, true, true,
         u"<a href=\"kontakt.html\">"_s, u"</a>"_s},
        {"upper-case tags leave the link alone", u"site/Kontakt.HTML"_s, false, true,
         u"<A HREF=\"kontakt.html\">"_s, u"</A>"_s},
        {"file names kept as they are", u"site/Kontakt.HTML"_s, true, false,
         u"<a href=\"Kontakt.HTML\">"_s, u"</a>"_s},
        {"upper-case tags, names kept", u"site/Obrazky/Logo.png"_s, false, false,
         u"<A HREF=\"Obrazky/Logo.png\">"_s, u"</A>"_s},
        {"a folder up", u"Jinde.htm"_s, true, true, u"<a href=\"../jinde.htm\">"_s, u"</a>"_s},
    };
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.what);
        LinkOptions links;
        links.lowerFileName = c.lowerFileName;
        const FileLinkTexts texts =
            fileLinkTexts(dir.filePath(c.file), document, links, TagCaseOptions{c.upperTag});
        EXPECT_EQ(texts.start, c.start);
        EXPECT_EQ(texts.end, c.end);
    }
}

} // namespace
} // namespace qw
