// The design page in the real main window on the generated 1 MB page
// (offscreen or under Xvfb), as a person uses it:
// - entering it: from the switch to the design document being editable;
// - a typed key until the window's command states and the document's
//   modified mark follow it;
// - leaving after one typed key, at once: the switch back to the source page
//   with the document taken from the view (behind the key) and written
//   back.
// A key that does not arrive in the source, a page that never becomes
// editable or a page that cannot be left is a failure (exit code 1), never a
// figure. Prints one figure per line.

#include "BenchSupport.h"
#include "app/design/DesignFeature.h"
#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
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

bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

WebDesignDocument* designDocument(MainWindow& window)
{
    return qobject_cast<WebDesignDocument*>(window.design().document());
}

double enter(MainWindow& window)
{
    QElapsedTimer t;
    t.start();
    window.pages().switchTo(PageMode::Design);
    if (window.pages().pageMode() != PageMode::Design || designDocument(window) == nullptr)
        fail("the design page could not be entered");
    if (!waitUntil([&] { return designDocument(window)->isReady(); }, 30000))
        fail("the page never became editable on the design page");
    return ms(t);
}

// A click into the page's first paragraph gives the view the keyboard.
void focusText(MainWindow& window)
{
    QWebEngineView* view = designDocument(window)->view();
    QWidget* surface = view->focusProxy() ? view->focusProxy() : view;
    // Far apart in event time: the view counts clicks by the time stamps,
    // and a second click on the same place would select a word.
    static ulong stamp = 1'000'000;
    stamp += 10'000;
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(60, 60), surface->mapToGlobal(QPointF(60, 60)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        e.setTimestamp(stamp += 20);
        QApplication::sendEvent(surface, &e);
    }
    if (!waitUntil([&] { return QApplication::focusWidget() == surface; }, 5000))
        fail("the design view took no keyboard focus");
    // The click's own reports are not the first key's.
    QTest::qWait(100);
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
    const QString page = dir.filePath(QStringLiteral("page.html"));
    {
        QFile f(page);
        if (!f.open(QIODevice::WriteOnly) || f.write(generatePage(1024 * 1024)) <= 0)
            fail("the page could not be written");
    }

    QuietUiServices ui;
    AppContext context(
        AppPaths(dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("cfg")),
                 dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("tmp"))),
        ui);
    context.loadSettings();
    MainWindow window(context);
    window.resize(1400, 900);
    window.show();
    if (!waitUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); },
                   5000))
        fail("the window was never shown");
    window.activateWindow();
    waitUntil([&] { return window.isActiveWindow(); }, 5000);
    if (!window.documents().openDocument(page))
        fail("the 1 MB page did not open");
    ScintillaEditor& editor = *window.documents().current();

    std::printf("%-40s %8.1f ms\n", "first entry, 1 MB (engine starts)", enter(window));
    window.pages().switchTo(PageMode::Source);
    std::vector<double> entries;
    for (int i = 0; i < 10; ++i) {
        entries.push_back(enter(window));
        window.pages().switchTo(PageMode::Source);
    }
    printPercentiles("entering the design page, 1 MB", percentiles(entries));

    // Keys until the window follows them: its command states (refreshed on
    // the design page's state change) and the tab's modified mark.
    enter(window);
    focusText(window);
    const int keys = qEnvironmentVariableIntValue("QW_BENCH_KEYS") > 0
                         ? qEnvironmentVariableIntValue("QW_BENCH_KEYS")
                         : 200;
    std::vector<double> states;
    bool marked = false;
    for (int i = 0; i < keys; ++i) {
        bool changed = false;
        const auto c = QObject::connect(&window.design(), &DesignFeature::stateChanged,
                                        [&] { changed = true; });
        QElapsedTimer t;
        t.start();
        sendKey(*QApplication::focusWidget(), QChar(u'a' + i % 26));
        if (!waitUntil([&] { return changed; }, 5000))
            fail("a key in the design view brought no new command states");
        states.push_back(ms(t));
        QObject::disconnect(c);
        marked = marked || window.documents().tabBar()->tabTextColor(
                               window.documents().activeIndex()) == QColor(0, 0, 255);
        // The key's later reports are not the next key's.
        QTest::qWait(30);
    }
    if (!marked || window.statusText(1).isEmpty())
        fail("typing on the design page did not mark the document modified");
    printPercentiles("key to command states, design, 1 MB", percentiles(states));

    // One key, and the page left at once.
    std::vector<double> leaves;
    for (int i = 0; i < 10; ++i) {
        if (i > 0) {
            enter(window);
            focusText(window);
        }
        const qsizetype before = editor.text().count(u'Q');
        sendKey(*QApplication::focusWidget(), u'Q');
        QElapsedTimer t;
        t.start();
        window.pages().switchTo(PageMode::Source);
        const double took = ms(t);
        if (window.pages().pageMode() != PageMode::Source)
            fail("the design page could not be left");
        if (editor.text().count(u'Q') != before + 1)
            fail("the key typed before leaving is not in the source");
        leaves.push_back(took);
    }
    printPercentiles("leaving after one key, 1 MB", percentiles(leaves));
    if (ui.notices != 0)
        fail("the window showed a message");
    return 0;
}
