// Colouring and export speed over generated pages that look like hand-written
// HTML: tags with attributes, entities, comments, scripts and plain text.
#include "core/highlight/HtmlHighlighter.h"
#include "core/highlight/HtmlListingExport.h"
#include "core/highlight/RtfExport.h"

#include <QStringList>
#include <benchmark/benchmark.h>

using namespace qw;

namespace {

QStringList page()
{
    const QStringList block{
        QStringLiteral("<table border=\"0\" cellpadding=\"2\" width=\"100%\">"),
        QStringLiteral("  <tr>"),
        QStringLiteral(
            "    <td align=center width=\"50%\" class='cell'>Cena: 120&nbsp;K&#269;</td>"),
        QStringLiteral(
            "    <td><a href=\"clanky/stranka.html\" target=_blank>Další článek</a></td>"),
        QStringLiteral("  </tr>"),
        QStringLiteral("</table>"),
        QStringLiteral("<!-- navigace"),
        QStringLiteral("     konec navigace -->"),
        QStringLiteral("<p>Lorem ipsum dolor sit amet, consectetuer adipiscing elit, sed diam "
                       "nonummy nibh euismod &amp; tincidunt ut laoreet dolore magna.</p>"),
        QStringLiteral(
            "<p>Příliš žluťoučký kůň úpěl ďábelské ódy, <b>tučně</b> a <i>kurzívou</i>."),
        QStringLiteral("<img src=\"obrazky/logo.gif\" alt=\"Logo\" width=120 height=60 border=0>"),
        QStringLiteral("<script language=\"JavaScript\">"),
        QStringLiteral("  if (a < b && c > d) { document.write(\"<b>\" + x + \"</b>\"); }"),
        QStringLiteral("</script>"),
        QStringLiteral("<% Response.Write(\"ahoj\") %> <br>"),
        QStringLiteral(""),
    };
    return block;
}

QStringList document(qsizetype minChars)
{
    const QStringList block = page();
    QStringList lines;
    qsizetype chars = 0;
    while (chars < minChars) {
        for (const QString& l : block) {
            lines.append(l);
            chars += l.size() + 2;
        }
    }
    return lines;
}

qsizetype charCount(const QStringList& lines)
{
    qsizetype n = 0;
    for (const QString& l : lines)
        n += l.size() + 2;
    return n;
}

// Bytes processed = characters of the document (as its 8-bit file would be).
void BM_HighlightDocument(benchmark::State& state)
{
    const QStringList lines = document(4 << 20);
    HighlightRuns runs;
    runs.reserve(256);
    for (auto _ : state) {
        LineState s = LineState::Text;
        std::size_t total = 0;
        for (const QString& line : lines) {
            s = highlightLine(line, s, runs);
            total += runs.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * charCount(lines));
}
BENCHMARK(BM_HighlightDocument)->Unit(benchmark::kMillisecond);

// A page mostly of style and script blocks, with inline styles and HTML5
// elements, as pages written today are.
void BM_HighlightStyleScriptPage(benchmark::State& state)
{
    const QStringList block{
        QStringLiteral("<style>"),
        QStringLiteral("  body { font: 1rem/1.5 \"Open Sans\", sans-serif; color: #333; }"),
        QStringLiteral("  @media (max-width: 600px) { nav a { display: block !important; } }"),
        QStringLiteral("  /* komentář */ .karta > h2::before { content: \"\\2192\"; }"),
        QStringLiteral("</style>"),
        QStringLiteral("<section class=\"karta\" style=\"margin: 0 auto; max-width: 40em\">"),
        QStringLiteral("  <my-card data-id=\"7\"><time datetime=\"2026-12-11\">dnes</time>"),
        QStringLiteral("</my-card></section>"),
        QStringLiteral("<script type=\"module\">"),
        QStringLiteral("  const items = [1, 2.5, 0x1f].map((x) => `položka ${x}`); // seznam"),
        QStringLiteral("  if (/^[a-z]+$/i.test(name) && items.length > 2) { render('</p>'); }"),
        QStringLiteral("  for (let i = 0; i < 10; i++) { total += i * 2; } /* konec */"),
        QStringLiteral("</script>"),
    };
    QStringList lines;
    for (qsizetype chars = 0; chars < (4 << 20); chars += charCount(block))
        lines += block;
    HighlightRuns runs;
    runs.reserve(256);
    for (auto _ : state) {
        LineState s = LineState::Text;
        std::size_t total = 0;
        for (const QString& line : lines) {
            s = highlightLine(line, s, runs);
            total += runs.size();
        }
        if (s != LineState::Text)
            state.SkipWithError("the page did not end outside every block");
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * charCount(lines));
}
BENCHMARK(BM_HighlightStyleScriptPage)->Unit(benchmark::kMillisecond);

void BM_ExportRtf(benchmark::State& state)
{
    const QStringList lines = document(10 << 20);
    const ExportLook look;
    qsizetype outputSize = 0;
    for (auto _ : state) {
        const QByteArray out = exportRtf(lines, look);
        outputSize = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * charCount(lines));
    state.counters["input_MB"] = double(charCount(lines)) / (1 << 20);
    state.counters["output_MB"] = double(outputSize) / (1 << 20);
}
BENCHMARK(BM_ExportRtf)->Unit(benchmark::kMillisecond);

void BM_ExportHtmlListing(benchmark::State& state)
{
    const QStringList lines = document(10 << 20);
    const ExportLook look;
    qsizetype outputSize = 0;
    for (auto _ : state) {
        const QByteArray out = exportHtmlListing(lines, look);
        outputSize = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * charCount(lines));
    state.counters["input_MB"] = double(charCount(lines)) / (1 << 20);
    state.counters["output_MB"] = double(outputSize) / (1 << 20);
}
BENCHMARK(BM_ExportHtmlListing)->Unit(benchmark::kMillisecond);

} // namespace
