#include "core/builders/NewPage.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

const QString kHeadEnd = u"<meta name=\"GENERATOR\" content=\"Quenwick 1.0\">\r\n"
                         "</head>\r\n"
                         "<body>\r\n"
                         "\r\n"
                         "\r\n"
                         "</body>\r\n"
                         "</html>\r\n"_s;

TEST(NewPage, EmptyFieldsGiveTheBareSkeleton)
{
    const NewPageText page = buildNewPage({});
    EXPECT_EQ(page.text, u"<html>\r\n<head>\r\n<title></title>\r\n"_s + kHeadEnd);
    // The caret lands on the first empty line of the body.
    EXPECT_EQ(page.text.mid(page.caret - 8, 10), u"<body>\r\n\r\n"_s);
}

TEST(NewPage, OptionalLinesInOrder)
{
    NewPageOptions options;
    options.docType = newPageDocTypes().at(0);
    options.title = u"Úvod"_s;
    options.keywords = u"html, editor"_s;
    options.description = u"první\nřádek\r\ndruhý"_s;
    const QString expected =
        u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//CZ\">\r\n"
        "\r\n"
        "<html>\r\n"
        "<head>\r\n"
        "<title>Úvod</title>\r\n"
        "<meta http-equiv=\"KEYWORDS\" content=\"html, editor\">\r\n"
        "<meta http-equiv=\"DESCRIPTION\" content=\"první\r\nřádek\r\ndruhý\">\r\n"_s +
        kHeadEnd;
    const NewPageText page = buildNewPage(options);
    EXPECT_EQ(page.text, expected);
    EXPECT_EQ(page.text.mid(page.caret - 8, 10), u"<body>\r\n\r\n"_s);
}

TEST(NewPage, DocTypeItems)
{
    const QStringList items = newPageDocTypes();
    ASSERT_EQ(items.size(), 10);
    EXPECT_EQ(items.at(6), u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">"_s);
    EXPECT_EQ(items.at(8), u"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML Level 1//EN\">"_s);
    EXPECT_EQ(items.at(9), u"<!DOCTYPE html>"_s);
}

TEST(NewPage, Html5PageDeclaresItsLanguageCharacterSetAndViewport)
{
    NewPageOptions options;
    options.docType = u"<!DOCTYPE html>"_s;
    options.title = u"Úvod"_s;
    options.keywords = u"html"_s;
    options.description = u"popis"_s;
    const QString expected =
        u"<!DOCTYPE html>\r\n"
        "\r\n"
        "<html lang=\"cs\">\r\n"
        "<head>\r\n"
        "<meta charset=\"utf-8\">\r\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
        "<title>Úvod</title>\r\n"
        "<meta name=\"keywords\" content=\"html\">\r\n"
        "<meta name=\"description\" content=\"popis\">\r\n"_s +
        kHeadEnd;
    const NewPageText page = buildNewPage(options);
    EXPECT_EQ(page.text, expected);
    EXPECT_EQ(page.text.mid(page.caret - 8, 10), u"<body>\r\n\r\n"_s);

    const NewPageText bare = buildHtml5Page();
    EXPECT_TRUE(bare.text.startsWith(u"<!DOCTYPE html>\r\n\r\n<html lang=\"cs\">\r\n"_s));
    EXPECT_TRUE(bare.text.contains(u"<title></title>\r\n"_s));
    EXPECT_EQ(bare.text.mid(bare.caret - 8, 10), u"<body>\r\n\r\n"_s);
}

} // namespace
} // namespace qw
