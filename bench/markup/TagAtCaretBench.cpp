// The tag search runs after every key and mouse-button release, so its cost
// must not depend on the document's size: a 50 MB page, the caret inside a
// tag at the start, in the middle and at the end.

#include "core/editor/MemoryEditor.h"
#include "core/markup/TagAtCaret.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

qw::MemoryEditor& page()
{
    static qw::MemoryEditor editor = [] {
        const qsizetype target = 50 * 1024 * 1024;
        QString html = u"<html>\r\n<body bgcolor=\"#FFFFFF\">\r\n<table border=\"1\">\r\n"_s;
        html.reserve(target + 256);
        for (int row = 0; html.size() < target; ++row) {
            const QString n = QString::number(row);
            html += u"<tr><td class=\"c"_s + n + u"\" align=\"left\">Řádek "_s + n +
                    u"</td><td><a href=\"stranka"_s + n +
                    u".html\" title=\"Odkaz\">odkaz</a> <!-- pozn. --></td></tr>\r\n"_s;
        }
        html += u"</table>\r\n</body>\r\n</html>"_s;
        return qw::MemoryEditor(html);
    }();
    return editor;
}

// Offset of the first `mark` after a fraction of the text, plus `into`.
qsizetype caretIn(double fraction, QStringView mark = u"<a ", qsizetype into = 3)
{
    qw::MemoryEditor& editor = page();
    const qsizetype from = static_cast<qsizetype>(static_cast<double>(editor.length()) * fraction);
    return from + editor.textRange(from, from + 4096).indexOf(mark) + into;
}

void findAt(benchmark::State& state, double fraction, bool select)
{
    qw::MemoryEditor& editor = page();
    const qsizetype caret = caretIn(fraction);
    qw::CaretTagState tags;
    for (auto _ : state) {
        editor.setSelectionStart(caret);
        const qw::TagAtCaret found = qw::findTagAtCaret(editor, select, tags, qw::TagCaseOptions{});
        if (!found.parsed)
            state.SkipWithError("no tag at the caret");
        benchmark::DoNotOptimize(found);
    }
    state.counters["document_MB"] = static_cast<double>(editor.length()) / (1024 * 1024);
}

void textBetweenTags(benchmark::State& state)
{
    qw::MemoryEditor& editor = page();
    const qsizetype caret = caretIn(0.5, u">odkaz", 3); // inside the link's text
    qw::CaretTagState tags;
    for (auto _ : state) {
        editor.setSelectionStart(caret);
        benchmark::DoNotOptimize(qw::findTagAtCaret(editor, false, tags, qw::TagCaseOptions{}));
    }
}

} // namespace

BENCHMARK_CAPTURE(findAt, start, 0.0, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(findAt, middle, 0.5, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(findAt, end, 0.9999, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(findAt, middle_select, 0.5, true)->Unit(benchmark::kMicrosecond);
BENCHMARK(textBetweenTags)->Unit(benchmark::kMicrosecond);
