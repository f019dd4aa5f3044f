// Times the program's own handling of a key in the real main window: what
// runs after the editor took the key (the tag search, the inspector, the
// command states, the status bar). The editor's own insertion and painting
// are Scintilla's and are timed by the editor benchmark.
//
// Each key is sent with the document manager's signals blocked, so Scintilla
// does its part alone; then the signals that key raised are raised again,
// timed, as many times as an ordinary key raises them (counted once at the
// start). Prints one figure per line.

#include "BenchSupport.h"
#include "app/editor/ScintillaEditor.h"
#include "app/services/UiServices.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>

using namespace qw;
using namespace qw::bench;

namespace {

struct Counts
{
    int state = 0;
    int released = 0;
};

Percentiles ownHandling(MainWindow& window, qsizetype offset, int keys, Counts perKey)
{
    DocumentManager& docs = window.documents();
    ScintillaEditor& e = *docs.current();
    e.setSelectionStart(offset);
    e.scrollCaretIntoView();
    QCoreApplication::processEvents();
    std::vector<double> times;
    const QString letters = QStringLiteral("<b>abc</b> ");
    for (int i = 0; i < keys; ++i) {
        docs.blockSignals(true);
        sendKey(e, letters.at(i % letters.size()));
        docs.blockSignals(false);
        QElapsedTimer t;
        t.start();
        for (int k = 0; k < perKey.state; ++k)
            Q_EMIT docs.stateChanged();
        for (int k = 0; k < perKey.released; ++k)
            Q_EMIT docs.editorReleased();
        times.push_back(ms(t));
        QCoreApplication::processEvents();
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

    // How often an ordinary key inside a tag raises each signal.
    window.documents().openDocument(small);
    Counts perKey;
    {
        DocumentManager& docs = window.documents();
        ScintillaEditor& e = *docs.current();
        e.setSelectionStart(e.length() / 2);
        sendKey(e, u'x'); // the first change also redraws the tab
        const auto a =
            QObject::connect(&docs, &DocumentManager::stateChanged, [&perKey] { ++perKey.state; });
        const auto b = QObject::connect(&docs, &DocumentManager::editorReleased,
                                        [&perKey] { ++perKey.released; });
        sendKey(e, u'y');
        QObject::disconnect(a);
        QObject::disconnect(b);
        std::printf("%-40s %d state, %d release\n", "signals per key", perKey.state,
                    perKey.released);
    }
    const Percentiles smallKeys =
        ownHandling(window, window.documents().current()->length() / 2, keys, perKey);
    printPercentiles("own handling, 5 KB page", smallKeys);

    window.documents().openDocument(big);
    QCoreApplication::processEvents();
    ScintillaEditor& e = *window.documents().current();
    const qsizetype length = e.length();
    const struct
    {
        const char* name;
        qsizetype offset;
    } places[] = {{"own handling, 50 MB page, start", 300},
                  {"own handling, 50 MB page, middle", length / 2},
                  {"own handling, 50 MB page, end", length - 300}};
    for (const auto& place : places) {
        const Percentiles p = ownHandling(window, place.offset, keys, perKey);
        printPercentiles(place.name, p);
        std::printf("%-40s %8.2f (p50 / 5 KB p50)\n", "  against the 5 KB page",
                    p.p50 / smallKeys.p50);
    }
    return 0;
}
