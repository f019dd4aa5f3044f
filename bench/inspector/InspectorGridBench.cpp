// The refill after a key release through the real grid: clearing the rows,
// searching the tag at the caret and building the rows of the tag's section
// of the shipped "tag.dat" (offscreen).

#include "app/inspector/TagInspector.h"
#include "core/editor/MemoryEditor.h"
#include "core/settings/IniFile.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

void gridRefill(benchmark::State& state)
{
    const qw::IniFile tagDat(QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat"));
    const qw::TagDefinitions definitions(tagDat);
    qw::TagInspector grid(definitions);
    grid.resize(289, 600);
    grid.show();
    qw::MemoryEditor editor(
        u"<p>Text <img src=\"obr.gif\" alt=\"Obrázek\" width=\"10\"> konec</p>"_s);
    const qsizetype caret = editor.text().indexOf(u"<img") + 4;
    qw::CaretTagState tags;
    for (auto _ : state) {
        grid.clearInspector();
        editor.setSelectionStart(caret);
        const qw::TagAtCaret found = qw::findTagAtCaret(editor, false, tags, qw::TagCaseOptions{});
        grid.fillInspector(found, tags.attributes, qw::TagCaseOptions{});
        if (grid.rowCount() == 0)
            state.SkipWithError("no rows");
    }
    state.counters["rows"] = grid.rowCount();
}

} // namespace

BENCHMARK(gridRefill)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
