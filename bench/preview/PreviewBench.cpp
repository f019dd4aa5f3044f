// The preview's figures in the real main window (offscreen or under Xvfb):
// - F12 on a 100 KB page until the page has loaded, the first time (the web
//   engine starts then) and on later refreshes;
// - a whole key on the source page (the editor's handling, the window's and
//   the repaint) with no preview yet and with a preview made.
// Prints one figure per line. A preview that never finished loading is a
// failure (exit code 1), never a figure.

#include "BenchSupport.h"
#include "app/editor/ScintillaEditor.h"
#include "app/pages/PageSwitcher.h"
#include "app/preview/PreviewFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

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

// F12 until the preview's page reports it has loaded.
double previewUntilLoaded(MainWindow& window)
{
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QMetaObject::Connection done;
    bool finished = false;
    bool loaded = false;
    auto listen = [&] {
        if (auto* view = qobject_cast<QWebEngineView*>(window.preview().view()))
            done = QObject::connect(view, &QWebEngineView::loadFinished, &loop, [&](bool ok) {
                finished = true;
                loaded = ok;
                loop.quit();
            });
    };
    listen();
    window.commands().trigger(QStringLiteral("view.preview"), ActionPlace::MainMenu);
    if (!done)
        listen();
    if (!done)
        fail("the preview made no view");
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!finished)
        loop.exec();
    QObject::disconnect(done);
    const double took = ms(t);
    if (window.pages().pageMode() != PageMode::Preview)
        fail("the preview page was not shown");
    if (!loaded)
        fail("the preview never finished loading the page");
    return took;
}

Percentiles typing(MainWindow& window, int keys)
{
    ScintillaEditor& e = *window.documents().current();
    e.setSelectionStart(e.length() / 2);
    // Each round types into a line of its own, so no round pays for a line
    // that the one before it made longer.
    e.replaceSelection(QStringLiteral("\r\n"));
    QCoreApplication::processEvents();
    std::vector<double> times;
    const QString letters = QStringLiteral("<b>abc</b> ");
    for (int i = 0; i < keys; ++i) {
        QElapsedTimer t;
        t.start();
        sendKey(e, letters.at(i % letters.size()));
        e.repaint();
        QCoreApplication::processEvents();
        times.push_back(ms(t));
    }
    return percentiles(std::move(times));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("prog/Data/Settings")));
    const QString page = dir.filePath(QStringLiteral("page.html"));
    {
        QFile f(page);
        if (!f.open(QIODevice::WriteOnly))
            fail("the page could not be written");
        f.write(generatePage(100 * 1024));
    }
    QuietUiServices ui;
    AppContext context(
        AppPaths(dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("cfg")),
                 dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("tmp"))),
        ui);
    context.loadSettings();

    QElapsedTimer start;
    start.start();
    MainWindow window(context);
    window.resize(1400, 900);
    window.show();
    window.openStartFile(page);
    QCoreApplication::processEvents();
    std::printf("%-40s %8.1f ms\n", "window with a 100 KB page shown", ms(start));

    const int keys = benchKeyCount();
    printPercentiles("typing, no preview yet", typing(window, keys));

    std::printf("%-40s %8.1f ms\n", "first preview of 100 KB (F12 to loaded)",
                previewUntilLoaded(window));
    std::vector<double> refreshes;
    for (int i = 0; i < 20; ++i) {
        window.commands().trigger(QStringLiteral("view.source"), ActionPlace::MainMenu);
        QCoreApplication::processEvents();
        refreshes.push_back(previewUntilLoaded(window));
    }
    printPercentiles("later previews (F12 to loaded)", percentiles(refreshes));

    window.commands().trigger(QStringLiteral("view.source"), ActionPlace::MainMenu);
    QCoreApplication::processEvents();
    printPercentiles("typing, just back from a preview", typing(window, keys));
    // The engine settles a while after its last page.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    printPercentiles("typing, beside a settled preview", typing(window, keys));
    std::printf("%-40s %8ld KiB\n", "resident at the end", residentKiB());
    return 0;
}
