// Find next and replace all as the window runs them: the search controller
// with its dialogs on a ScintillaEditor. Qt needs an application object; the
// benchmarks make one offscreen on first use. Each checks that the search did
// its work: a replacement or a find that did nothing is an error, not a time.

#include "app/dialogs/FindDialog.h"
#include "app/dialogs/ReplaceDialog.h"
#include "app/dialogs/SearchController.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/UiServices.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

using namespace qw;
using namespace Qt::StringLiterals;

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_search";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

using QuietUi = qw::bench::QuietUiServices;

struct Rig
{
    QuietUi ui;
    std::unique_ptr<QWidget> window;
    ScintillaEditor* editor = nullptr;
    std::unique_ptr<SearchController> search;

    Rig()
    {
        ensureApplication();
        window = std::make_unique<QWidget>();
        editor = new ScintillaEditor(window.get());
        search = std::make_unique<SearchController>(
            ui, window.get(), [this]() -> EditorWidget* { return editor; }, [] {});
    }

    void setFindText(const QString& what)
    {
        search->showFind();
        search->findDialog()->findChild<QLineEdit*>(u"edFind"_s)->setText(what);
        search->findDialog()->hide();
    }
};

// A page of `lines` table rows, each holding two "td" tags.
QString tableRows(int lines)
{
    QString text;
    const QString row = u"<tr><td>buňka</td></tr>\r\n"_s;
    text.reserve(row.size() * lines);
    for (int i = 0; i < lines; ++i)
        text += row;
    return text;
}

// Replace all of "td" by "th" through the dialog's button: two matches a line
// (the start and the end tag), so 10k lines give 20k replacements.
void BM_ReplaceAllThroughDialog(benchmark::State& state)
{
    Rig rig;
    const QString text = tableRows(static_cast<int>(state.range(0)));
    ReplaceDialog* dialog = rig.search->replaceDialog();
    rig.search->showReplace();
    dialog->findChild<QLineEdit*>(u"edFind"_s)->setText(u"td"_s);
    dialog->findChild<QLineEdit*>(u"edReplace"_s)->setText(u"th"_s);
    auto* button = dialog->findChild<QPushButton*>(u"btnReplaceAll"_s);
    const qsizetype cells = text.count(u"<td>"_s);
    for (auto _ : state) {
        state.PauseTiming();
        rig.editor->setText(text);
        rig.editor->setSelectionStart(0);
        state.ResumeTiming();
        button->click();
        state.PauseTiming();
        const QString replaced = rig.editor->text();
        const bool done = !replaced.contains(u"td"_s) && replaced.count(u"<th>"_s) == cells &&
                          replaced.count(u"</th>"_s) == cells;
        state.ResumeTiming();
        if (!done) {
            state.SkipWithError("replace all left matches or made wrong replacements");
            break;
        }
    }
    state.counters["matches"] = static_cast<double>(state.range(0) * 2);
}
BENCHMARK(BM_ReplaceAllThroughDialog)->Arg(2'000)->Arg(10'000)->Unit(benchmark::kMillisecond);

// "Hledat další" from the middle of a 50 MB page to a match a line away.
void BM_FindNextNearCaret50MB(benchmark::State& state)
{
    Rig rig;
    rig.editor->setText(tableRows(50'000'000 / 25));
    rig.setFindText(u"td"_s);
    const qsizetype middle = rig.editor->lineStart(rig.editor->lineCount() / 2);
    for (auto _ : state) {
        rig.editor->setSelectionStart(middle);
        rig.search->findNext();
        benchmark::DoNotOptimize(rig.editor->selectionStart());
    }
    // The next "td" after the start of the middle line: "<tr><td>" (a find
    // forward leaves the caret after the match).
    const qsizetype from = std::min(rig.editor->selectionStart(),
                                    rig.editor->selectionStart() + rig.editor->selectionLength());
    if (from != middle + 5 || rig.editor->selectedText() != u"td"_s)
        state.SkipWithError("find next did not select the match after the caret");
}
BENCHMARK(BM_FindNextNearCaret50MB)->Unit(benchmark::kMicrosecond);

// "Hledat další" that reads the whole 50 MB page and finds nothing.
void BM_FindNextMiss50MB(benchmark::State& state)
{
    Rig rig;
    rig.editor->setText(tableRows(50'000'000 / 25));
    rig.setFindText(u"xyz"_s);
    int runs = 0;
    for (auto _ : state) {
        rig.editor->setSelectionStart(0);
        rig.search->findNext();
        ++runs;
    }
    if (rig.ui.notices != runs || rig.editor->selectionLength() != 0)
        state.SkipWithError("a miss was not reported, or something was selected");
}
BENCHMARK(BM_FindNextMiss50MB)->Unit(benchmark::kMillisecond);

} // namespace
