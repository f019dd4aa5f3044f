#include "core/editor/FindReplace.h"
#include "core/editor/MemoryEditor.h"

#include <benchmark/benchmark.h>

namespace {

using namespace Qt::StringLiterals;

// A page of `lines` lines of 60 characters; every line holds one "<td>" and
// the rest is text that shares its letters, so the search has work to do.
QString page(qsizetype lines)
{
    const QString line = u"<tr><td>tabulka dat, textu a tagů</td> tdx tx dt <b>x</b>.."_s;
    QStringList all;
    all.reserve(lines);
    for (qsizetype i = 0; i < lines; ++i)
        all.append(line);
    return all.join(u"\r\n"_s);
}

// Replace all of N matches; N from 10 000 to 100 000 shows how the time grows.
void BM_ReplaceAll(benchmark::State& state)
{
    const QString text = page(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        qw::MemoryEditor editor(text);
        editor.clearUndo();
        state.ResumeTiming();
        const qsizetype count =
            qw::replaceAll(editor, u"<td>"_s, u"<td class=\"x\">"_s, qw::FindOptions{});
        benchmark::DoNotOptimize(count);
        if (count != state.range(0))
            state.SkipWithError("wrong number of replacements");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceAll)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Whole words make every candidate look at its neighbours.
void BM_ReplaceAllWholeWords(benchmark::State& state)
{
    const QString text = page(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        qw::MemoryEditor editor(text);
        state.ResumeTiming();
        const qsizetype count =
            qw::replaceAll(editor, u"tdx"_s, u"y"_s, qw::FindOptions{true, true, false});
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ReplaceAllWholeWords)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Find next near the caret in a document of about 50 MB: only the text
// around the caret may be read.
void BM_FindNextNearCaretIn50MB(benchmark::State& state)
{
    qw::MemoryEditor editor(page(800'000));
    const qsizetype middle = editor.length() / 2;
    for (auto _ : state) {
        editor.setSelectionStart(middle);
        benchmark::DoNotOptimize(qw::findText(editor, u"</b>"_s, qw::FindOptions{}));
    }
}
BENCHMARK(BM_FindNextNearCaretIn50MB)->Unit(benchmark::kMicrosecond);

// A search through the whole 50 MB that finds nothing: the worst case.
void BM_FindMissingIn50MB(benchmark::State& state)
{
    qw::MemoryEditor editor(page(800'000));
    for (auto _ : state) {
        editor.setSelectionStart(0);
        benchmark::DoNotOptimize(qw::findText(editor, u"nowhere"_s, qw::FindOptions{}));
    }
}
BENCHMARK(BM_FindMissingIn50MB)->Unit(benchmark::kMillisecond);

} // namespace
