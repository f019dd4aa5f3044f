// The design view's figures on a 1 MB page (offscreen or under Xvfb):
// - entering it: setHtml until the document is ready, the first time (the
//   web engine starts then) and later;
// - the command-state refresh after a selection change: from a key that
//   moves the caret to the program's cache holding the new state, and the
//   parts of it (the script's state, the program taking the report);
// - taking the document back (a snapshot), as leaving after an edit does;
// - leaving after one typed key: the snapshot, the write-back and the
//   replacements applied to the source editor.
// Prints one figure per line. A load, a key or a snapshot that fails is
// reported as a failure (exit code 1), never as a figure.

#include "BenchSupport.h"
#include "app/design/TextReplacements.h"
#include "app/design/WebDesignDocument.h"
#include "app/editor/ScintillaEditor.h"
#include "core/text/Windows1250.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <cstdio>
#include <cstdlib>

using namespace qw;
using namespace qw::bench;

namespace {

// Runs until signal fires on sender or timeoutMs pass; true when it fired.
template<typename Sender, typename Signal>
bool waitFor(const Sender* sender, Signal signal, int timeoutMs)
{
    QEventLoop loop;
    bool fired = false;
    const auto c = QObject::connect(sender, signal, &loop, [&] {
        fired = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(c);
    return fired;
}

[[noreturn]] void fail(const char* what)
{
    std::printf("FAILED: %s\n", what);
    std::fflush(stdout);
    std::_Exit(1);
}

double enter(WebDesignDocument& doc, const QString& html, const QString& folder)
{
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    bool ready = false;
    const auto c = QObject::connect(&doc, &DesignDocument::ready, &loop, [&] {
        ready = true;
        loop.quit();
    });
    doc.setHtml(html, folder);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!ready)
        loop.exec();
    QObject::disconnect(c);
    if (!ready)
        fail("the page never became ready in the design view");
    return ms(t);
}

// A key to the focused widget, timed until the program holds the state it
// brought.
double keyToState(WebDesignDocument& doc, Qt::Key key, const QString& text)
{
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr)
        fail("no focused widget for the keys");
    QElapsedTimer t;
    t.start();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    if (!waitFor(&doc, &DesignDocument::stateChanged, 2000))
        fail("a key brought no new state");
    const double took = ms(t);
    // The key's later reports (its release) are not the next key's.
    QTest::qWait(40);
    return took;
}

QVariant evaluate(WebDesignDocument& doc, const QString& script)
{
    QVariant result;
    bool done = false;
    doc.view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                      [&](const QVariant& v) {
                                          result = v;
                                          done = true;
                                      });
    return QTest::qWaitFor([&] { return done; }, 10000) ? result : QVariant();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString html = decodeWindows1250(generatePage(1024 * 1024));

    QElapsedTimer made;
    made.start();
    WebDesignDocument doc(dir.filePath(QStringLiteral("tmp/")));
    doc.view()->resize(1400, 900);
    doc.view()->show();
    if (!QTest::qWaitForWindowExposed(doc.view()))
        fail("the design view was never shown");
    doc.view()->activateWindow();
    if (!QTest::qWaitForWindowActive(doc.view()))
        fail("the design view never became active");
    std::printf("%-44s %8.1f ms\n", "design view made and shown", ms(made));

    std::printf("%-44s %8.1f ms\n", "first entry, 1 MB (setHtml to ready)",
                enter(doc, html, dir.path()));
    std::vector<double> entries;
    for (int i = 0; i < 10; ++i)
        entries.push_back(enter(doc, html, dir.path()));
    printPercentiles("later entries, 1 MB (setHtml to ready)", percentiles(entries));
    // The generated page holds a script block every seven rows; the engine's
    // parser pauses after each, scripts off or not. The same page with those
    // blocks as preformatted text shows what the rest costs.
    QString fewScripts = html;
    fewScripts.replace(QStringLiteral("script"), QStringLiteral("pre"));
    std::vector<double> plain;
    for (int i = 0; i < 10; ++i)
        plain.push_back(enter(doc, fewScripts, dir.path()));
    printPercentiles("entries, 1 MB without script blocks", percentiles(plain));
    std::vector<double> small;
    const QString page100 = decodeWindows1250(generatePage(100 * 1024));
    for (int i = 0; i < 10; ++i)
        small.push_back(enter(doc, page100, dir.path()));
    printPercentiles("entries, 100 KB", percentiles(small));
    enter(doc, html, dir.path());

    // The caret into the text, then moved by keys as a person does.
    QWidget* surface = doc.view()->focusProxy() ? doc.view()->focusProxy() : doc.view();
    doc.view()->setFocus();
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(60, 60));
    waitFor(&doc, &DesignDocument::stateChanged, 2000);
    QTest::qWait(200);
    std::vector<double> refreshes;
    const int keys = 200;
    for (int i = 0; i < keys; ++i)
        refreshes.push_back(keyToState(doc, i % 40 < 20 ? Qt::Key_Down : Qt::Key_Up, {}));
    printPercentiles("caret key to new state in the program", percentiles(refreshes));
    // Letters typed where the caret is: each one changes the document.
    std::vector<double> typed;
    for (int i = 0; i < keys; ++i)
        typed.push_back(
            keyToState(doc, Qt::Key(Qt::Key_A + i % 26), QString(QChar(u'a' + i % 26))));
    printPercentiles("typed key to new state in the program", percentiles(typed));

    const QVariant scriptTime =
        evaluate(doc, QStringLiteral("(function () { var t = performance.now();"
                                     " for (var i = 0; i < 100; ++i) qwDesign.state();"
                                     " return (performance.now() - t) / 100; })()"));
    if (!scriptTime.isValid())
        fail("the view's script did not answer");
    const double script = scriptTime.toDouble();
    std::printf("%-44s %8.3f ms\n", "the script's state, 1 MB page", script);
    const QVariantMap report = evaluate(doc, QStringLiteral("qwDesign.state()")).toMap();
    if (report.isEmpty())
        fail("the view's script gave no state");
    std::vector<double> takes;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        doc.takeReport(report);
        takes.push_back(ms(t));
    }
    printPercentiles("the program taking a report", percentiles(takes));
    std::vector<double> trips;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        if (!evaluate(doc, QStringLiteral("qwDesign.state()")).isValid())
            fail("the view's script did not answer");
        trips.push_back(ms(t));
    }
    printPercentiles("a state asked for and answered", percentiles(trips));

    std::vector<double> snapshots;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        const std::optional<DesignSnapshot> s = doc.snapshot();
        if (!s || s->bodyNodes.isEmpty())
            fail("no snapshot of the 1 MB page");
        snapshots.push_back(ms(t));
    }
    printPercentiles("snapshot of the 1 MB page", percentiles(snapshots));

    // Leaving after one typed key: what the window does once the key is in
    // the document, on a fresh load each time.
    ScintillaEditor editor;
    std::vector<double> leaves;
    for (int i = 0; i < 10; ++i) {
        enter(doc, html, dir.path());
        editor.setText(html);
        doc.view()->setFocus();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(60, 60));
        waitFor(&doc, &DesignDocument::stateChanged, 2000);
        keyToState(doc, Qt::Key_Q, QStringLiteral("q"));
        QElapsedTimer t;
        t.start();
        const std::optional<DesignSnapshot> left = doc.snapshot();
        if (!left)
            fail("no snapshot after a typed key");
        const QList<TextReplacement> replacements =
            designWriteBack(html, doc.loadedSnapshot(), *left);
        applyReplacements(editor, html, replacements);
        leaves.push_back(ms(t));
        if (replacements.isEmpty() || editor.length() != html.size() + 1)
            fail("the typed key did not come back into the source");
    }
    printPercentiles("leaving after a key, 1 MB (snapshot to text)", percentiles(leaves));
    return 0;
}
