// The whole-text tools on a 10 MB page: each must stay linear in the text.

#include "core/editor/MemoryEditor.h"
#include "core/transform/CzechLetters.h"
#include "core/transform/HtmlText.h"
#include "core/transform/LineTransforms.h"
#include "core/transform/TagCase.h"
#include "core/transform/TextCase.h"
#include "core/transform/TextTransformCommands.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qw;

// A Czech page of about 10 MB of characters: paragraphs with markup,
// attributes, national letters and runs of empty lines.
const QString& page()
{
    static const QString text = [] {
        const QString block = QStringLiteral(
            "<p class=\"odstavec\" align=left>Příliš žluťoučký kůň úpěl ďábelské ódy, "
            "<b>tučně</b> a <a href=\"index.html\" title=\"Domů\">odkaz</a> &amp; text.</p>\r\n"
            "<!-- komentář --> <TD WIDTH=50%>Buňka</TD> a obyčejný text bez značek\r\n"
            "\r\n\r\n\r\n");
        QString t;
        const qsizetype target = 10 * 1000 * 1000;
        t.reserve(target + block.size());
        while (t.size() < target)
            t += block;
        return t;
    }();
    return text;
}

template<typename F> void runOnPage(benchmark::State& state, F transform)
{
    const QString& text = page();
    for (auto _ : state) {
        QString out = transform(QStringView(text));
        benchmark::DoNotOptimize(out.constData());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}

void BM_UpperCase(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return changeCaseOutsideTags(t, CaseChange::Upper); });
}
void BM_FirstCapital(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return changeCaseOutsideTags(t, CaseChange::FirstCapital); });
}
void BM_InvertCase(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return changeCaseOutsideTags(t, CaseChange::Invert); });
}
void BM_RemoveDiacritics(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return removeDiacritics(t); });
}
void BM_TagsToUpperCase(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return convertTagCase(t, LetterCase::Upper); });
}
void BM_TextToHtml(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return textToHtml(t, {}, {}); });
}
void BM_RemoveHtml(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return removeHtml(t); });
}
void BM_RemoveSurplusLines(benchmark::State& s)
{
    runOnPage(s, [](QStringView t) { return removeSurplusLines(t); });
}

// The whole command on an editor: reading the text, transforming, writing
// back the changed span, one undo step.
void BM_EditorUpperCaseWholeText(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        MemoryEditor editor(page());
        editor.clearUndo();
        state.ResumeTiming();
        runTextTransformation(editor, TextTransformation::UpperCase);
        benchmark::DoNotOptimize(editor.length());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page().size());
}

BENCHMARK(BM_UpperCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstCapital)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InvertCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveDiacritics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagsToUpperCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextToHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RemoveSurplusLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorUpperCaseWholeText)->Unit(benchmark::kMillisecond);

} // namespace
