// Keys typed into a 5 MB page in the real window, first with the panel
// "Kontrola" closed, then while the page's check runs in the background (a
// new check is started whenever the last one ended, so every timed key meets
// a running check). Each key is timed from its press until the status bar
// shows the caret's new place; the two sets of figures should be alike. A key
// whose status bar never comes, or a check that never ends, is a failure
// (exit code 1), not a figure.

#include "app/BenchSupport.h"
#include "app/checker/CheckRunner.h"
#include "app/checker/CheckerFeature.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "core/shell/ShellTexts.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
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

Percentiles typeKeys(MainWindow& window, CheckerFeature* checker, int keys)
{
    ScintillaEditor& e = *window.documents().current();
    e.setSelectionStart(e.length() / 2);
    e.scrollCaretIntoView();
    e.setFocus();
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != &e)
        fail("the editor took no keyboard focus");
    if (checker != nullptr) {
        // The panel's first showing lays the window out anew once; that is
        // not what a key costs.
        checker->dock()->show();
        const QDeadlineTimer shown(500);
        while (!shown.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        e.setFocus();
        QCoreApplication::processEvents();
        if (QApplication::focusWidget() != &e)
            fail("the editor lost the keyboard to the panel");
    }
    std::vector<double> times;
    int checks = 0;
    for (int i = 0; i < keys; ++i) {
        if (checker != nullptr && !checker->runner()->isRunning()) {
            checker->checkPage();
            e.setFocus();
            ++checks;
        }
        QElapsedTimer t;
        t.start();
        sendKey(*QApplication::focusWidget(), QChar(u'a' + i % 26));
        // The caret's place as the status bar counts it (display lines of a
        // wrapped line), asked again as the layout settles.
        const auto shown = [&] {
            return caretPositionText(e.caretLine(), e.caretColumn());
        };
        const QDeadlineTimer deadline(2000);
        while (window.statusText(0) != shown() && !deadline.hasExpired())
            QCoreApplication::processEvents();
        times.push_back(ms(t));
        if (window.statusText(0) != shown())
            fail("the status bar never showed the caret's new place");
    }
    if (checker != nullptr) {
        std::printf("%-40s %8d\n", "  checks started", checks);
        const QDeadlineTimer deadline(20000);
        while (checker->runner()->isRunning() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (checker->runner()->isRunning())
            fail("the check never ended");
    }
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
    const QString big = dir.filePath(QStringLiteral("big.html"));
    {
        QFile f(big);
        if (!f.open(QIODevice::WriteOnly) || f.write(generatePage(5 * 1024 * 1024)) <= 0)
            fail("the 5 MB page could not be written");
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
    auto* checker = window.findChild<CheckerFeature*>();
    if (checker == nullptr)
        fail("the window has no page check");

    if (!window.documents().openDocument(big))
        fail("the 5 MB page did not open");
    QCoreApplication::processEvents();
    const Percentiles quiet = typeKeys(window, nullptr, keys);
    printPercentiles("key, 5 MB page, no check", quiet);
    const Percentiles checking = typeKeys(window, checker, keys);
    printPercentiles("key, 5 MB page, while checked", checking);
    std::printf("%-40s %8.2f (p50 / p50 without)\n", "  against no check",
                checking.p50 / quiet.p50);
    return 0;
}
