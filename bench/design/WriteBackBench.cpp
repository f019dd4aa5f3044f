// The write-back on leaving the design view for a 1 MB page: nothing
// changed (the snapshots are equal), and one paragraph changed among
// thousands. Leaving the design page unchanged has 50 ms in all.

#include "core/design/DesignWriteBack.h"

#include <benchmark/benchmark.h>

using namespace qw;

namespace {

struct Page
{
    QString source;
    DesignSnapshot loaded;
};

// A page of about 1 MB as a browser would serialise it: headings,
// paragraphs (their </p> left out in the source), tables without tbody,
// comments and entities.
const Page& largePage()
{
    static const Page page = [] {
        Page p;
        p.source = QStringLiteral("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>Velká "
                                  "stránka</title>\r\n</head>\r\n<body>\r\n");
        p.loaded.headNodes = {QStringLiteral("\n"), QStringLiteral("<title>Velká stránka</title>"),
                              QStringLiteral("\n")};
        p.loaded.bodyNodes.append(QStringLiteral("\n"));
        for (int i = 0; p.source.size() < 1'000'000; ++i) {
            const QString n = QString::number(i);
            p.source += QStringLiteral("<h2>Oddíl ") + n + QStringLiteral("</h2>\r\n");
            p.loaded.bodyNodes.append(QStringLiteral("<h2>Oddíl ") + n + QStringLiteral("</h2>"));
            p.loaded.bodyNodes.append(QStringLiteral("\n"));
            p.source +=
                QStringLiteral("<P>Odstavec ") + n +
                QStringLiteral(" s&nbsp;textem &amp; odkazem <A HREF=\"a.html\">zde</A>\r\n");
            p.source += QStringLiteral("<!-- poznámka -->\r\n");
            // The paragraph has no end tag: the comment is inside it.
            p.loaded.bodyNodes.append(QStringLiteral("<p>Odstavec ") + n +
                                      QStringLiteral(" s&nbsp;textem &amp; odkazem <a "
                                                     "href=\"a.html\">zde</a>\n<!-- poznámka "
                                                     "-->\n</p>"));
            p.source += QStringLiteral("<table border=1><tr><td>") + n +
                        QStringLiteral("<td>buňka</table>\r\n");
            p.loaded.bodyNodes.append(QStringLiteral("<table border=\"1\"><tbody><tr><td>") + n +
                                      QStringLiteral("</td><td>buňka</td></tr></tbody></table>"));
            p.loaded.bodyNodes.append(QStringLiteral("\n"));
        }
        p.source += QStringLiteral("</body>\r\n</html>\r\n");
        p.loaded.bodyNodes.last() = QStringLiteral("\n\n\n");
        return p;
    }();
    return page;
}

void unchanged(benchmark::State& state)
{
    const Page& page = largePage();
    // A second snapshot of the same document: equal, but not shared.
    DesignSnapshot left;
    for (const QString& node : page.loaded.headNodes)
        left.headNodes.append(QString(node.constData(), node.size()));
    for (const QString& node : page.loaded.bodyNodes)
        left.bodyNodes.append(QString(node.constData(), node.size()));
    for (auto _ : state)
        benchmark::DoNotOptimize(designWriteBack(page.source, page.loaded, left));
}
BENCHMARK(unchanged)->Unit(benchmark::kMillisecond);

void oneParagraphChanged(benchmark::State& state)
{
    const Page& page = largePage();
    DesignSnapshot left = page.loaded;
    // A paragraph in the middle of the page.
    qsizetype middle = left.bodyNodes.size() / 2;
    while (!left.bodyNodes[middle].startsWith(u"<p>"))
        ++middle;
    left.bodyNodes[middle].insert(3, QStringLiteral("Nové slovo "));
    QList<TextReplacement> result;
    for (auto _ : state) {
        result = designWriteBack(page.source, page.loaded, left);
        benchmark::DoNotOptimize(result);
    }
    if (result.size() != 1 || result.first().length > 100)
        state.SkipWithError("the change was not written as one small replacement");
}
BENCHMARK(oneParagraphChanged)->Unit(benchmark::kMillisecond);

} // namespace
