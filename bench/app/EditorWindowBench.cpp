// Times the document editor as the window uses it: a main window holding a
// coloured ScintillaEditor set up like the document manager's, a generated
// 50 MB Windows-1250 page opened through the document reader, and keys sent
// through the event loop. Prints one figure per line.

#include "BenchSupport.h"
#include "app/editor/HighlightTheme.h"
#include "app/editor/HtmlLexer.h"
#include "app/editor/ScintillaEditor.h"
#include "core/text/DocumentFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qw;
using namespace qw::bench;
using Sci = QsciScintillaBase;

namespace {

struct Window
{
    QMainWindow main;
    ScintillaEditor* editor = new ScintillaEditor;

    Window()
    {
        // As the document manager makes its editors.
        editor->setWordWrap(qEnvironmentVariableIsEmpty("QW_BENCH_NO_WRAP"));
        editor->setHighlightTheme(&HighlightTheme::shared());
        editor->applyLook(QStringLiteral("Verdana"), 9, 0x000000, 0xFFFFFF, 8);
        main.setCentralWidget(editor);
        main.resize(1000, 700);
    }
};

void waitExposed(QWidget& w)
{
    while (w.windowHandle() == nullptr || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

long visibleEnd(const ScintillaEditor& e)
{
    const long firstDoc =
        e.SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, e.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    const long lines = e.SendScintilla(Sci::SCI_LINESONSCREEN);
    const long last = std::min(firstDoc + lines, e.SendScintilla(Sci::SCI_GETLINECOUNT) - 1);
    return e.SendScintilla(Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(last));
}

// Keys typed one by one, each followed by what the window does after a key:
// the event loop runs and the editor paints; the status bar texts are read.
Percentiles typeKeys(Window& w, qsizetype offset, int count)
{
    ScintillaEditor& e = *w.editor;
    e.setSelectionStart(offset);
    e.scrollCaretIntoView();
    QCoreApplication::processEvents();
    e.viewport()->repaint();
    std::vector<double> times;
    times.reserve(std::size_t(count));
    const QString letters = QStringLiteral("<b>abc</b> ");
    for (int i = 0; i < count; ++i) {
        const QChar ch = letters.at(i % letters.size());
        QElapsedTimer t;
        t.start();
        sendKey(e, ch);
        volatile int sink =
            e.caretLine() + e.caretColumn() + int(e.isModified()) + int(e.overwrite());
        (void)sink;
        e.viewport()->repaint();
        times.push_back(ms(t));
        // Background work (idle colouring, wrapping) is not part of a key.
        QCoreApplication::processEvents();
    }
    return percentiles(std::move(times));
}

// Reading the file and handing its text to the editor, timed apart.
struct OpenTimes
{
    double read = 0;
    double set = 0;
};

bool openInto(Window& w, const QString& path, OpenTimes* times = nullptr)
{
    QElapsedTimer t;
    t.start();
    const DocumentReadResult read = readDocumentFile(path);
    if (!read.ok)
        return false;
    const double readMs = ms(t);
    w.editor->setText(read.text);
    if (times != nullptr)
        *times = {readMs, ms(t) - readMs};
    w.editor->clearUndo();
    w.editor->setModified(false);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir dir;
    const int keys = benchKeyCount();

    {
        QElapsedTimer t;
        t.start();
        Window w;
        w.editor->setText(QString());
        w.main.show();
        waitExposed(w.main);
        std::printf("%-40s %8.1f ms\n", "start to shown window (empty)", ms(t));
    }

    // The 5 KB page: the reference for typing.
    Percentiles small;
    {
        const QString path = dir.filePath(QStringLiteral("small.html"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(generatePage(5 * 1024));
        f.close();
        Window w;
        w.main.show();
        waitExposed(w.main);
        openInto(w, path);
        QCoreApplication::processEvents();
        small = typeKeys(w, w.editor->length() / 2, keys);
        printPercentiles("typing, 5 KB page", small);
    }

    {
        const QString path = dir.filePath(QStringLiteral("big.html"));
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            // QW_BENCH_MB picks another size for a quicker look at scaling.
            const int mb = qEnvironmentVariableIntValue("QW_BENCH_MB");
            f.write(generatePage((mb > 0 ? mb : 50) * 1024LL * 1024));
        }
        const long rssBefore = residentKiB();
        Window w;
        w.main.show();
        waitExposed(w.main);
        QElapsedTimer t;
        t.start();
        OpenTimes open;
        if (!openInto(w, path, &open)) {
            std::printf("cannot read %s\n", qPrintable(path));
            return 1;
        }
        const double loaded = ms(t);
        std::printf("%-40s %8.1f MiB\n", "50 MB: resident after setting the text",
                    residentKiB() / 1024.0);
        w.editor->viewport()->repaint();
        while (w.editor->SendScintilla(Sci::SCI_GETENDSTYLED) < visibleEnd(*w.editor))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double firstScreen = ms(t);
        const long length = w.editor->SendScintilla(Sci::SCI_GETLENGTH);
        // Bounded, so that a slow background pass still yields the figures.
        const double idleLimit = qEnvironmentVariableIntValue("QW_BENCH_IDLE_LIMIT_MS") > 0
                                     ? qEnvironmentVariableIntValue("QW_BENCH_IDLE_LIMIT_MS")
                                     : 120000.0;
        while (w.editor->SendScintilla(Sci::SCI_GETENDSTYLED) < length && ms(t) < idleLimit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        const double idle = ms(t);
        std::printf("%-40s %8.1f %%\n", "50 MB: coloured when idle ended",
                    100.0 * double(w.editor->SendScintilla(Sci::SCI_GETENDSTYLED)) /
                        double(length));
        std::printf("%-40s %8.1f ms\n", "50 MB: read and set the text", loaded);
        std::printf("%-40s %8.1f ms\n", "50 MB: of which reading the file", open.read);
        std::printf("%-40s %8.1f ms\n", "50 MB: of which setting the text", open.set);
        std::printf("%-40s %8.1f ms\n", "50 MB: first screen coloured", firstScreen);
        std::printf("%-40s %8.1f ms\n", "50 MB: whole text coloured (idle)", idle);
        std::printf("%-40s %8.1f MiB (before open %.1f MiB)\n", "50 MB: resident memory",
                    residentKiB() / 1024.0, rssBefore / 1024.0);

        const qsizetype len = w.editor->length();
        const Percentiles atStart = typeKeys(w, 200, keys);
        const Percentiles atMiddle = typeKeys(w, len / 2, keys);
        const Percentiles atEnd = typeKeys(w, w.editor->length() - 20, keys);
        printPercentiles("typing, 50 MB page, start", atStart);
        printPercentiles("typing, 50 MB page, middle", atMiddle);
        printPercentiles("typing, 50 MB page, end", atEnd);
        std::printf("%-40s %8.2f (p50 at start / 5 KB p50)\n", "50 MB vs 5 KB",
                    atStart.p50 / small.p50);

        // A comment opener typed at the top: the rest recolours in the
        // background, the key itself only colours what is on screen.
        w.editor->setSelectionStart(0);
        QElapsedTimer c;
        c.start();
        w.editor->replaceSelection(QStringLiteral("<!--"));
        w.editor->viewport()->repaint();
        std::printf("%-40s %8.3f ms\n", "50 MB: \"<!--\" at the top, on screen", ms(c));
        std::printf("%-40s %8.1f MiB\n", "50 MB: resident memory after typing",
                    residentKiB() / 1024.0);
    }

    // QW_BENCH_NO_LINE leaves the single-line page out, for profiling the rest.
    if (qEnvironmentVariableIsEmpty("QW_BENCH_NO_LINE")) {
        const QString path = dir.filePath(QStringLiteral("line.html"));
        {
            QByteArray line;
            while (line.size() < 1024 * 1024)
                line += "<td class=\"x\">\xe8\xedslo &amp; text</td>";
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(line);
        }
        Window w;
        w.main.show();
        waitExposed(w.main);
        openInto(w, path);
        QCoreApplication::processEvents();
        printPercentiles("typing, 1 MB single line, middle",
                         typeKeys(w, w.editor->length() / 2, 60));
    }
    return 0;
}
