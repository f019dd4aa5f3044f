#include "core/builders/PopupWindowScript.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qw {
namespace {

PopupWindowOptions page(QString address, QString title)
{
    PopupWindowOptions o;
    o.address = std::move(address);
    o.title = std::move(title);
    return o;
}

TEST(PopupWindowScript, ScriptLine)
{
    struct Case
    {
        const char* name;
        PopupWindowOptions options;
        QString line;
    };
    std::vector<Case> cases;
    {
        auto o = page(u"a.html"_s, u"Okno"_s);
        o.toolbar = o.status = true;
        o.height = u"300"_s;
        cases.push_back({"features and height", o,
                         u"window.open('a.html','Okno','toolbar,status,height=300')"_s});
    }
    cases.push_back(
        {"nothing checked", page(u"a.html"_s, u"Okno"_s), u"window.open('a.html','Okno','')"_s});
    {
        auto o = page(u"obr\\a.html"_s, u"C:\\x"_s);
        cases.push_back({"backslashes", o, u"window.open('obr/a.html','C:/x','')"_s});
    }
    {
        auto o = page(u"a.html"_s, u""_s);
        o.width = u"50"_s;
        cases.push_back({"only a width", o, u"window.open('a.html','','width=50')"_s});
    }
    {
        auto o = page(u"b.htm"_s, u"T"_s);
        o.toolbar = o.menubar = o.scrollbars = o.resizable = true;
        o.directories = o.status = o.location = o.fullscreen = true;
        o.height = u"1"_s;
        o.width = u"2"_s;
        cases.push_back({"everything", o,
                         u"window.open('b.htm','T','toolbar,menubar,scrollbars,resizable,"
                         "directories,status,location,fullscreen,height=1,width=2')"_s});
    }
    {
        auto o = page(u"a"_s, u"b"_s);
        o.fullscreen = true;
        cases.push_back({"one feature", o, u"window.open('a','b','fullscreen')"_s});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(buildPopupWindowLine(c.options), c.line);
    }
}

TEST(PopupWindowScript, ScriptElementAroundTheLine)
{
    EXPECT_EQ(buildPopupWindowScript(page(u"a.html"_s, u"Okno"_s)),
              u"<script language=\"JavaScript\">\r\n"
              "window.open('a.html','Okno','')\r\n"
              "</script>"_s);
}

} // namespace
} // namespace qw
