#include "core/highlight/HtmlElements.h"

#include <gtest/gtest.h>

#include <set>

using namespace qw;

TEST(HtmlElements, TableHoldsEveryNameOnceInItsOrder)
{
    const auto elements = htmlElements();
    ASSERT_EQ(elements.size(), 143u);
    EXPECT_EQ(elements.front().name, QLatin1StringView("SCRIPT"));
    EXPECT_EQ(elements[1].name, QLatin1StringView("A"));
    EXPECT_EQ(elements.back().name, QLatin1StringView("!DOCTYPE"));
    std::set<QString> names;
    for (const HtmlElement& e : elements) {
        EXPECT_EQ(QString(e.name), QString(e.name).toUpper());
        names.insert(QString(e.name));
    }
    EXPECT_EQ(names.size(), elements.size());
}

TEST(HtmlElements, OnlyTheListedElementsLackAFlag)
{
    const std::set<QString> withoutAttributes{"B", "BR", "HEAD", "HTML", "I", "S", "TITLE", "U"};
    const std::set<QString> withoutEndTag{"SCRIPT", "BASE", "BASEFONT", "BR",    "FRAME",   "IMG",
                                          "INPUT",  "META", "SOURCE",   "TRACK", "!DOCTYPE"};
    for (const HtmlElement& e : htmlElements()) {
        const QString name(e.name);
        EXPECT_EQ(e.takesAttributes, !withoutAttributes.contains(name)) << name.toStdString();
        EXPECT_EQ(e.hasEndTag, !withoutEndTag.contains(name)) << name.toStdString();
    }
}

TEST(HtmlElements, LookupIgnoresAsciiCaseOnly)
{
    for (const HtmlElement& e : htmlElements()) {
        EXPECT_EQ(findHtmlElement(QString(e.name)), &e);
        EXPECT_EQ(findHtmlElement(QString(e.name).toLower()), &e);
    }
    const struct
    {
        const char16_t* name;
        const char* found; // nullptr: not an element
    } cases[] = {
        {u"BlockQuote", "BLOCKQUOTE"},
        {u"!doctype", "!DOCTYPE"},
        {u"", nullptr},
        {u"/P", nullptr},          // the "/" is the caller's business
        {u"TD\tALIGN", nullptr},   // a tab is part of the name
        {u"BLOCKQUOTES", nullptr}, // longer than any name
        {u"TAB", nullptr},         // a prefix of TABLE
        {u"T\u0130TLE", nullptr},  // non-ASCII letters are never folded
        {u"\u0131", nullptr},
    };
    for (const auto& c : cases) {
        const HtmlElement* e = findHtmlElement(QStringView(c.name));
        if (c.found) {
            ASSERT_NE(e, nullptr) << QString::fromUtf16(c.name).toStdString();
            EXPECT_EQ(e->name, QLatin1StringView(c.found));
        } else {
            EXPECT_EQ(e, nullptr) << QString::fromUtf16(c.name).toStdString();
        }
    }
}

TEST(HtmlElements, CustomElementNamesNeedALetterFirstAndAHyphen)
{
    const struct
    {
        const char16_t* name;
        bool custom;
    } cases[] = {
        {u"my-card", true},  {u"X-FOO", true},        {u"a-", true},
        {u"x-1.2_b", true},  {u"\u010Dlen-m", false}, {u"m\u00E9-x", true},
        {u"card", false},    {u"-x", false},          {u"2-a", false},
        {u"my_card", false}, {u"my-card/", false},    {u"my card", false},
        {u"", false},        {u"/my-card", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isCustomElementName(QStringView(c.name)), c.custom)
            << QString::fromUtf16(c.name).toStdString();
    }
    EXPECT_TRUE(customHtmlElement()->takesAttributes);
    EXPECT_TRUE(customHtmlElement()->hasEndTag);
    EXPECT_EQ(findHtmlElement(u"my-card"), nullptr);
}
