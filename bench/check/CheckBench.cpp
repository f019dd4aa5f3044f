// The whole page check (markup and addresses) of generated pages that look
// like hand-written HTML with the usual slips: 100 KB should take at most
// 100 ms, 5 MB at most 3 s. A check that does not finish is a failure.
#include "core/check/PageCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace qw;

namespace {

QByteArray page(qsizetype minBytes)
{
    const QByteArray block =
        "<div class=\"clanek\" id=\"c%1\">\n"
        "  <h2><a name=\"kotva%1\">Nadpis článku %1</a></h2>\n"
        "  <p>Příliš žluťoučký kůň úpěl ďábelské ódy, <b>tučně</b> a <i>kurzívou</i>.\n"
        "  <p><b>neuzavřeno <i>překříženo</b></i> a&nbsp;dál &amp; dál</p>\n"
        "  <img src=\"obrazky/logo.gif\" width=120 height=60 border=0>\n"
        "  <img src=\"obrazky/chybi%20tu.png\" alt=\"Chybí\">\n"
        "  <a href=\"kontakt.html#mapa\">Kontakt</a> <a href=\"#kotva%1\">zpět</a>\n"
        "  <a href=\"http://example.org/\">web</a> <a href=\"#nikde\">nikam</a>\n"
        "  <table border=\"0\" cellpadding=\"2\" width=\"100%\"><tr>\n"
        "    <td align=center class='cell'>Cena: 120&nbsp;K&#269;</td>\n"
        "    <td><a href=\"clanky/stranka.html\" target=_blank>Další článek</a></td>\n"
        "  </tr></table>\n"
        "  <script>if (a < b && c > d) { document.write(\"<b>\" + x + \"</b>\"); }</script>\n"
        "</div>\n";
    QByteArray out = "<!DOCTYPE html>\n<html lang=\"cs\"><head><meta charset=\"utf-8\">"
                     "<title>Stránka</title></head><body>\n";
    for (int i = 0; out.size() < minBytes; ++i)
        out += QByteArray(block).replace("%1", QByteArray::number(i));
    out += "</body></html>\n";
    return out;
}

void checkPageOf(benchmark::State& state)
{
    QTemporaryDir site;
    QDir(site.path()).mkpath(QStringLiteral("obrazky"));
    QDir(site.path()).mkpath(QStringLiteral("clanky"));
    for (const char* name : {"kontakt.html", "obrazky/logo.gif", "clanky/stranka.html"}) {
        QFile f(site.filePath(QString::fromLatin1(name)));
        if (!f.open(QIODevice::WriteOnly)) {
            state.SkipWithError("the site folder cannot be written");
            return;
        }
    }
    const QByteArray text = page(state.range(0));
    const QString path = site.filePath(QStringLiteral("stranka.html"));
    qsizetype findings = 0;
    for (auto _ : state) {
        const PageCheck result = checkPage(text, path);
        if (result.outcome != CheckOutcome::Done) {
            state.SkipWithError("the page was not checked");
            return;
        }
        findings = result.findings.size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = double(findings);
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}

} // namespace

BENCHMARK(checkPageOf)->Arg(100 * 1024)->Unit(benchmark::kMillisecond);
BENCHMARK(checkPageOf)->Arg(5 * 1024 * 1024)->Unit(benchmark::kMillisecond)->Iterations(3);
