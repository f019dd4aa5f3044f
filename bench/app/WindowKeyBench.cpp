// Times what a key costs in the real main window, as a person types it: from
// the key press sent to the focused editor until the status bar shows the
// caret's new place, with the tag search at the caret done for that key (it
// runs on the key's release). The editor's insertion and painting are in the
// time, as they are in what a person waits for. Each key types into the
// attribute value of a tag, so the search has a tag to find. A key whose
// status bar or tag search never comes is a failure (exit code 1), not a
// figure. Prints one figure per line.

#include "BenchSupport.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/shell/ShellTexts.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

using namespace qw;
using namespace qw::bench;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
    std::_Exit(1);
}

Percentiles wholeKeys(MainWindow& window, qsizetype offset, int keys)
{
    DocumentManager& docs = window.documents();
    ScintillaEditor& e = *docs.current();
    const QString tag = QStringLiteral("<td title=\"\">");
    e.setSelectionStart(offset);
    e.replaceSelection(tag);
    e.setSelectionStart(offset + tag.size() - 2);
    e.scrollCaretIntoView();
    e.setFocus();
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != &e)
        fail("the editor took no keyboard focus");

    // Connected after the window's own handler: the tag search is done
    // when this runs.
    qsizetype searchedAt = -1;
    QString foundTag;
    const auto c = QObject::connect(&docs, &DocumentManager::editorReleased, [&] {
        searchedAt = e.selectionStart();
        foundTag = window.caretTag().currentTagName;
    });
    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
        searchedAt = -1;
        QElapsedTimer t;
        t.start();
        sendKey(*QApplication::focusWidget(), QChar(u'a' + i % 26));
        const QString shown = caretPositionText(e.caretLine(), e.caretColumn());
        const QDeadlineTimer deadline(2000);
        while (window.statusText(0) != shown && !deadline.hasExpired())
            QCoreApplication::processEvents();
        times.push_back(ms(t));
        if (window.statusText(0) != shown)
            fail("the status bar never showed the caret's new place");
        if (searchedAt != e.selectionStart() ||
            foundTag.compare(QStringLiteral("td"), Qt::CaseInsensitive) != 0)
            fail("the tag search at the caret did not run for the key");
    }
    QObject::disconnect(c);
    return percentiles(std::move(times));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("prog/Data/Settings"));
    for (const char* name : {"tag.dat", "html.dat"}) {
        const QString file = QString::fromLatin1(name);
        QFile::copy(QStringLiteral(QW_SHIPPED_DATA_DIR "/") + file,
                    dir.filePath(QStringLiteral("prog/Data/Settings/") + file));
    }
    const int keys = benchKeyCount();
    const int mb = qEnvironmentVariableIntValue("QW_BENCH_MB") > 0
                       ? qEnvironmentVariableIntValue("QW_BENCH_MB")
                       : 50;
    const QString small = dir.filePath(QStringLiteral("small.html"));
    const QString big = dir.filePath(QStringLiteral("big.html"));
    for (const auto& [path, size] :
         {std::pair{small, qsizetype(5 * 1024)}, std::pair{big, qsizetype(mb) * 1024 * 1024}}) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(generatePage(size));
    }

    QuietUiServices ui;
    AppContext context(
        AppPaths(dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("cfg")),
                 dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("tmp"))),
        ui);
    context.loadSettings();
    MainWindow window(context);
    window.resize(1200, 800);
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.activateWindow();
    const QDeadlineTimer activation(5000);
    while (!window.isActiveWindow() && !activation.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

    if (!window.documents().openDocument(small))
        fail("the 5 KB page did not open");
    const Percentiles smallKeys =
        wholeKeys(window, window.documents().current()->length() / 2, keys);
    printPercentiles("whole key, 5 KB page", smallKeys);

    if (!window.documents().openDocument(big))
        fail("the large page did not open");
    QCoreApplication::processEvents();
    ScintillaEditor& e = *window.documents().current();
    const qsizetype length = e.length();
    const struct
    {
        const char* where;
        qsizetype offset;
    } places[] = {{"start", 300}, {"middle", length / 2}, {"end", length - 300}};
    for (const auto& place : places) {
        const Percentiles p = wholeKeys(window, place.offset, keys);
        printPercentiles(qPrintable(QStringLiteral("whole key, %1 MB page, %2")
                                        .arg(mb)
                                        .arg(QLatin1String(place.where))),
                         p);
        std::printf("%-40s %8.2f (p50 / 5 KB p50)\n", "  against the 5 KB page",
                    p.p50 / smallKeys.p50);
    }
    return 0;
}
