#include "core/preview/ElementPath.h"

#include <QString>
#include <gtest/gtest.h>

#include <cctype>

using namespace qw;

namespace {

// A page with two marks: '^' where the caret stands, '@' where the start tag
// of the element holding it begins (none when the caret is in the body).
struct Case
{
    const char* name;
    const char* page;
    QList<int> path;
};

struct Marked
{
    QString text;
    qsizetype caret = -1;
    qsizetype tag = -1;
};

Marked unmark(const char* page)
{
    Marked m;
    for (const QChar c : QString::fromUtf8(page)) {
        if (c == u'^')
            m.caret = m.text.size();
        else if (c == u'@')
            m.tag = m.text.size();
        else
            m.text.append(c);
    }
    return m;
}

const Case kCases[] = {
    {"second paragraph", "<body><p>a</p>@<p>b^c</p></body>", {1}},
    {"end tag a browser implies", "<body><p>one@<p>t^wo</body>", {1}},
    {"caret on the start tag's name", "<body><p>a</p>@<h^1>b</h1>", {1}},
    {"nested", "<body><p>a</p><div>@<span>s^</span></div>", {1, 0}},
    {"comment is no child", "<body><!-- <p>x</p> --><p>a</p><div>@<b>^</b></div>", {1, 0}},
    {"caret inside a comment", "<body><p>a</p><!-- c^ --><p>b</p>", {}},
    {"tags inside a script are text", "<body>@<script>var s = '<p>^</p>';</script><p>x</p>", {0}},
    {"after a script with tags in it", "<body><script>'<p></p>'</script>@<p>^x</p>", {1}},
    {"void elements have no content", "<body><br><img src=a>@<p>^x</p>", {2}},
    {"caret in a void element", "<body><br>@<img s^rc=a><p>x</p>", {1}},
    {"implied body, tbody and tr", "<table><tr><td>a@<td>^b</table>", {0, 0, 0, 1}},
    {"implied row", "<body><table>@<td>^x</td></table>", {0, 0, 0, 0}},
    {"implied list items", "<ul><li>a<li>b<ul>@<li>^c</ul></ul>", {0, 1, 0, 0}},
    {"head", "<html><head><title>t^</title></head><body><p>x</p>", {}},
    {"text of the body", "<body>hello ^ <p>x</p>", {}},
    {"upper-case tags", "<BODY><P>a</P>@<P>^b", {1}},
};

class ElementPathCases : public testing::TestWithParam<Case>
{
};

TEST_P(ElementPathCases, CaretGivesThePathAndThePathGivesTheStartTag)
{
    const Case& c = GetParam();
    const Marked m = unmark(c.page);
    ASSERT_GE(m.caret, 0) << c.name;
    const HtmlOutline outline = outlineHtml(m.text);
    EXPECT_EQ(elementPathAt(outline, m.caret), c.path) << c.name;
    if (m.tag >= 0) {
        EXPECT_EQ(elementStartAt(outline, c.path), m.tag) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ElementPathCases, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != '\0'; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(ElementPath, PathsTheBodyDoesNotHaveGiveNoPlace)
{
    const QString page = QStringLiteral("<body><p>a</p><table><tr><td>x</td></tr></table></body>");
    const HtmlOutline outline = outlineHtml(page);
    EXPECT_EQ(elementStartAt(outline, {2}), -1);
    EXPECT_EQ(elementStartAt(outline, {1, 0, 0, 1}), -1);
    EXPECT_EQ(elementStartAt(outline, {-1}), -1);
    EXPECT_EQ(elementStartAt(outline, {}), 0);
}

// Every offset of a page goes to an element whose start tag lies at or
// before it, and that element's start gives back its own path.
TEST(ElementPath, EveryOffsetRoundTrips)
{
    const QString page = QStringLiteral(
        "<!DOCTYPE html><html><head><style>p{}</style></head>\n<body class=x>\n"
        "<h1>Title</h1><!-- note --><p>one<p>two <b>bold</b><br>\n"
        "<table><tr><td>a<td>b</table><ul><li>x<li>y</ul>\n"
        "<script>if (a < b) document.write('<p>');</script><div><img src=a.png></div>\n"
        "</body></html>\n");
    const HtmlOutline outline = outlineHtml(page);
    for (qsizetype at = 0; at <= page.size(); ++at) {
        const QList<int> path = elementPathAt(outline, at);
        const qsizetype start = elementStartAt(outline, path);
        ASSERT_GE(start, 0) << at;
        if (path.isEmpty())
            continue;
        EXPECT_LE(start, at) << at;
        EXPECT_EQ(elementPathAt(outline, start), path) << at;
    }
}

} // namespace
