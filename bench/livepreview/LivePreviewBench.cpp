// The live preview's figures in the real main window (offscreen or under
// Xvfb):
// - a whole key on the source page of a 100 KB page with the live preview
//   hidden and shown (no refresh work on the key path);
// - the last key to the refreshed preview drawn (the pause included, and
//   without it);
// - the resident memory the live preview adds on that page;
// - keys typed while a 2 MB page is being refreshed.
// Prints one figure per line. A refresh that never comes is a failure (exit
// code 1), never a figure.

#include "BenchSupport.h"
#include "app/editor/ScintillaEditor.h"
#include "app/livepreview/LivePreviewFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

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

void idle(int milliseconds)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Waits for the live preview's next drawn refresh; its time from now.
double untilRefreshed(LivePreviewFeature& live, const char* what)
{
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    bool done = false;
    const auto c = QObject::connect(&live, &LivePreviewFeature::refreshed, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(c);
    if (!done)
        fail(what);
    return ms(t);
}

Percentiles typing(MainWindow& window, int keys)
{
    ScintillaEditor& e = *window.documents().current();
    e.setSelectionStart(e.length() / 2);
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

QString writePage(const QTemporaryDir& dir, const char* name, qsizetype bytes)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(generatePage(bytes)) < 0)
        fail("a page could not be written");
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("prog/Data/Settings")));
    const QString page = writePage(dir, "page.html", 100 * 1024);
    const QString large = writePage(dir, "large.html", 2 * 1024 * 1024);
    QuietUiServices ui;
    AppContext context(
        AppPaths(dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("cfg")),
                 dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("tmp"))),
        ui);
    context.loadSettings();

    MainWindow window(context);
    window.resize(1400, 900);
    window.show();
    window.openStartFile(page);
    auto* live = window.findChild<LivePreviewFeature*>();
    if (live == nullptr)
        fail("the window has no live preview");
    idle(1500);
    const int keys = benchKeyCount();
    printPercentiles("100 KB: typing, live preview hidden", typing(window, keys));
    idle(1500);
    const long before = residentKiB();

    window.commands().trigger(QStringLiteral("view.livePreview"), ActionPlace::MainMenu);
    std::printf("%-44s %8.1f ms\n", "100 KB: Ctrl+F12 to the first rendering",
                untilRefreshed(*live, "the live preview never showed the page"));
    idle(3000);
    std::printf("%-44s %8ld KiB\n", "100 KB: resident added by the live preview",
                residentKiB() - before);

    printPercentiles("100 KB: typing, live preview shown", typing(window, keys));
    untilRefreshed(*live, "the typed keys were never shown");
    idle(500);

    // The last key to the refreshed preview drawn.
    ScintillaEditor& e = *window.documents().current();
    std::vector<double> lastKey;
    for (int i = 0; i < 20; ++i) {
        e.setSelectionStart(e.length() / 2);
        QElapsedTimer t;
        t.start();
        sendKey(e, QLatin1Char('x'));
        untilRefreshed(*live, "a typed key was never shown");
        lastKey.push_back(ms(t));
        idle(100);
    }
    const Percentiles withPause = percentiles(lastKey);
    printPercentiles("100 KB: last key to preview drawn", withPause);
    for (double& v : lastKey)
        v -= LivePreviewFeature::kRefreshPause;
    printPercentiles("100 KB: the same, less the pause", percentiles(lastKey));

    // A 2 MB page: keys typed while its refresh is on its way.
    if (!window.documents().openDocument(large))
        fail("the 2 MB page could not be opened");
    untilRefreshed(*live, "the 2 MB page was never shown");
    idle(1000);
    ScintillaEditor& big = *window.documents().current();
    big.setSelectionStart(big.length() / 2);
    std::vector<double> during;
    double refresh2mb = 0;
    for (int round = 0; round < 3; ++round) {
        sendKey(big, QLatin1Char('y'));
        QElapsedTimer started;
        started.start();
        bool shown = false;
        const auto c =
            QObject::connect(live, &LivePreviewFeature::refreshed, live, [&] { shown = true; });
        // Keys a little after the pause, while the page is handed over and
        // laid out; their own time, each.
        idle(LivePreviewFeature::kRefreshPause + 20);
        for (int i = 0; i < 10; ++i) {
            QElapsedTimer t;
            t.start();
            sendKey(big, QLatin1Char('z'));
            big.repaint();
            QCoreApplication::processEvents();
            during.push_back(ms(t));
            idle(30);
        }
        QElapsedTimer wait;
        wait.start();
        while (!shown && wait.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QObject::disconnect(c);
        if (!shown)
            fail("the 2 MB page's refresh never came");
        refresh2mb = std::max(refresh2mb, ms(started));
        idle(1500);
    }
    printPercentiles("2 MB: keys during a refresh", percentiles(during));
    std::printf("%-44s %8.1f ms\n", "2 MB: first key to drawn (slowest of 3)", refresh2mb);
    return 0;
}
