// Listing a large folder runs the mask and the size text once per file.
#include "core/filepanel/FileMask.h"
#include "core/filepanel/FileSizeText.h"

#include <QStringList>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QStringList names(int count)
{
    const QString extensions[] = {u".htm"_s, u".HTML"_s, u".css"_s, u".png"_s, u".htm.bak"_s};
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << u"soubor-"_s + QString::number(i) + extensions[i % 5];
    return out;
}

void BM_MaskMatching(benchmark::State& state)
{
    const QStringList files = names(int(state.range(0)));
    const qw::FileMask mask(u"*.htm;*.html;*.shtml;*.php"_s);
    for (auto _ : state) {
        int listed = 0;
        for (const QString& file : files)
            listed += mask.matches(file) ? 1 : 0;
        benchmark::DoNotOptimize(listed);
    }
    state.SetItemsProcessed(state.iterations() * files.size());
}
BENCHMARK(BM_MaskMatching)->Arg(10000);

void BM_SizeText(benchmark::State& state)
{
    qint64 size = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(qw::fileSizeText(size));
        size = (size * 7 + 12345) % 50000000;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SizeText);

} // namespace
