#include "core/links/FirstSaveLinks.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

// What the replacements make of text.
QString applied(const QString& text, const QList<TextReplacement>& replacements)
{
    QString out = text;
    for (auto it = replacements.crbegin(); it != replacements.crend(); ++it)
        out.replace(it->start, it->length, it->text);
    return out;
}

// The picture dialog in a document without a file wrote the absolute,
// lower-cased address of /site/img/Pic.png.
const InsertedLink kPicture{u"/site/img/pic.png"_s, u"/site/img/Pic.png"_s};

TEST(FirstSaveLinks, OnlyInsertedAddressesInAddressAttributesBecomeRelative)
{
    struct Case
    {
        const char* name;
        QString text;
        QString expected;
    };
    const Case cases[] = {
        {"the inserted picture", uR"(<img src="/site/img/pic.png" width="1">)"_s,
         uR"(<img src="img/pic.png" width="1">)"_s},
        {"unquoted, upper case", u"<A HREF=/site/img/pic.png>x</A>"_s,
         u"<A HREF=img/pic.png>x</A>"_s},
        {"a body's background", uR"(<body background='/site/img/pic.png'>)"_s,
         uR"(<body background='img/pic.png'>)"_s},
        {"an address the person typed", uR"(<img src="/site/img/other.png">)"_s,
         uR"(<img src="/site/img/other.png">)"_s},
        {"in the text", u"<p>/site/img/pic.png</p>"_s, u"<p>/site/img/pic.png</p>"_s},
        {"another attribute", uR"(<img alt="/site/img/pic.png">)"_s,
         uR"(<img alt="/site/img/pic.png">)"_s},
        {"a longer value", uR"(<img src="/site/img/pic.png.bak">)"_s,
         uR"(<img src="/site/img/pic.png.bak">)"_s},
        {"a comment", uR"(<!-- <img src="/site/img/pic.png"> -->)"_s,
         uR"(<!-- <img src="/site/img/pic.png"> -->)"_s},
        {"a script",
         uR"(<script>s = '<img src="/site/img/pic.png">';</script><img src="/site/img/pic.png">)"_s,
         uR"(<script>s = '<img src="/site/img/pic.png">';</script><img src="img/pic.png">)"_s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(applied(c.text,
                          firstSaveLinkReplacements(c.text, {kPicture}, u"/site/index.html"_s, {})),
                  c.expected)
            << c.name;
    }
}

TEST(FirstSaveLinks, TheNewFilesFolderAndTheOptionsDecideTheLink)
{
    const QString text = uR"(<img src="/site/img/pic.png"><img src="/site/img/Pic.png">)"_s;
    const InsertedLink asTyped{u"/site/img/Pic.png"_s, u"/site/img/Pic.png"_s};
    // Saved one folder down: up and over, each occurrence.
    EXPECT_EQ(applied(text, firstSaveLinkReplacements(text, {kPicture, asTyped},
                                                      u"/site/pages/a.html"_s, {})),
              uR"(<img src="../img/pic.png"><img src="../img/pic.png">)"_s);
    // Letter case kept when the user keeps it.
    LinkOptions keepCase;
    keepCase.lowerFileName = false;
    EXPECT_EQ(
        applied(text, firstSaveLinkReplacements(text, {asTyped}, u"/site/a.html"_s, keepCase)),
        uR"(<img src="/site/img/pic.png"><img src="img/Pic.png">)"_s);
    // Relative links off: the addresses stay absolute.
    LinkOptions absolute;
    absolute.relativePath = false;
    EXPECT_TRUE(firstSaveLinkReplacements(text, {kPicture}, u"/site/a.html"_s, absolute).isEmpty());
    EXPECT_TRUE(firstSaveLinkReplacements(text, {}, u"/site/a.html"_s, {}).isEmpty());
}

TEST(FirstSaveLinks, OnlyAbsoluteAddressesAreRememberedAndEachOnce)
{
    QList<InsertedLink> links;
    rememberInsertedLink(links, kPicture);
    rememberInsertedLink(links, kPicture);
    rememberInsertedLink(links, {u"img/pic.png"_s, u"/site/img/pic.png"_s});
    rememberInsertedLink(links, {u"/site/a.html"_s, u"/site/a.html"_s});
    EXPECT_EQ(links, (QList<InsertedLink>{kPicture, {u"/site/a.html"_s, u"/site/a.html"_s}}));
}

} // namespace
} // namespace qw
