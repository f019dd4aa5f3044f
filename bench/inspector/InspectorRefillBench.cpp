// After every key and mouse-button release the window searches the tag at
// the caret and refills the inspector from "tag.dat", which is consulted on
// every refill. The target is well under a millisecond with the shipped file.

#include "core/editor/MemoryEditor.h"
#include "core/inspector/TagInspection.h"
#include "core/settings/IniFile.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QString page()
{
    QString html = u"<html>\r\n<body>\r\n"_s;
    for (int i = 0; i < 2000; ++i) {
        html += u"<p class=\"c\">Odstavec "_s + QString::number(i) +
                u" <img src=\"obr.gif\" alt=\"Obrázek\" width=\"10\" height=\"20\" "
                u"data-x=\"1\"> <a href=\"x.html\">odkaz</a></p>\r\n"_s;
    }
    return html + u"</body>\r\n</html>"_s;
}

void refill(benchmark::State& state, QStringView mark)
{
    const qw::IniFile tagDat(QStringLiteral(QW_SHIPPED_DATA_DIR "/tag.dat"));
    const qw::TagDefinitions definitions(tagDat);
    qw::MemoryEditor editor(page());
    const qsizetype caret = editor.textRange(0, editor.length()).indexOf(mark, 50000) + 3;
    qw::CaretTagState tags;
    qw::TagInspection inspection;
    for (auto _ : state) {
        editor.setSelectionStart(caret);
        const qw::TagAtCaret found = qw::findTagAtCaret(editor, false, tags, qw::TagCaseOptions{});
        inspection.fill(definitions, found, tags.attributes, qw::TagCaseOptions{});
        if (inspection.rows().isEmpty())
            state.SkipWithError("no rows for the tag at the caret");
        // The kind of the row the user edits is asked when its editor opens.
        benchmark::DoNotOptimize(inspection.editorFor(definitions, 0));
    }
    state.counters["rows"] = static_cast<double>(inspection.rows().size());
}

void imageTag(benchmark::State& state)
{
    refill(state, u"<img");
}

void linkTag(benchmark::State& state)
{
    refill(state, u"<a ");
}

} // namespace

BENCHMARK(imageTag)->Unit(benchmark::kMicrosecond);
BENCHMARK(linkTag)->Unit(benchmark::kMicrosecond);
