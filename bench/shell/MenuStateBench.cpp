// The command states are recomputed on every key press: reading the snapshot
// and computing the states must cost the same on a 1 KB and a 50 MB page.
#include "core/editor/MemoryEditor.h"
#include "core/shell/MenuState.h"

#include <benchmark/benchmark.h>

namespace {

void BM_MenuStatesFromEditor(benchmark::State& state)
{
    qw::MemoryEditor editor;
    const QString line = QStringLiteral("<p>Žluťoučký kůň <a href=\"index.html\">odkaz</a></p>");
    QStringList lines;
    const qsizetype bytes = state.range(0);
    for (qsizetype n = 0; n < bytes; n += line.size() + 2)
        lines.append(line);
    editor.setLines(lines);
    editor.setSelectionStart(editor.length() / 2);
    for (auto _ : state) {
        qw::MenuSnapshot s;
        s.clipboardHasText = true;
        s.selectionEmpty = editor.selectionLength() == 0;
        s.textEmpty = editor.length() == 0;
        s.canUndo = editor.canUndo();
        s.canRedo = editor.canRedo();
        s.wordWrap = editor.wordWrap();
        benchmark::DoNotOptimize(qw::computeMenuStates(s));
    }
}
BENCHMARK(BM_MenuStatesFromEditor)->Arg(1 << 10)->Arg(50 << 20);

} // namespace
