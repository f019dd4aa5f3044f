// Times "Tisk" on a document of many lines printed to a PDF file, through the
// window's own command, and measures how far the resident size rises while
// the job runs. Each document size runs in a process of its own (the program
// starts itself with --lines N), so one job's peak cannot hide another's.
// A listing drawn page by page rises by about the same amount whatever the
// page count; one that kept its pages would rise with them.

#include "app/editor/ScintillaEditor.h"
#include "app/print/PrintFeature.h"
#include "app/services/ActionRegistry.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/QuietUiServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

using namespace qw;

namespace {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
long statusKiB(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Starts the peak resident size afresh from the current one.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// Ordinary markup with Czech letters, now and then a line long enough to
// wrap twice, a comment and a script block.
QString generateLines(int count)
{
    const QString rows[] = {
        QStringLiteral(
            "<tr><td align=center width=\"50%\">Příliš žluťoučký kůň</td><td>&nbsp;</td></tr>"),
        QStringLiteral(
            "<p class=\"text\">Úvod &amp; <a href=\"stranka.html\">odkaz</a> a text</p>"),
        QStringLiteral("<!-- poznámka -->"),
        QStringLiteral("<script type=\"text/javascript\">var a = 1 < 2 && b;</script>"),
        QStringLiteral("<img src=\"obrazek.gif\" alt='obrázek' width=100 height=50>"),
        QStringLiteral("\t<li>položka seznamu</li>"),
        QString(),
    };
    const QString longRow =
        QStringLiteral("<p>") +
        QStringLiteral("Dlouhý odstavec s mnoha slovy, který se na stránku nevejde. ").repeated(4) +
        QStringLiteral("</p>");
    QString text;
    for (int i = 0; i < count; ++i) {
        text += i % 25 == 24 ? longRow : rows[i % 7];
        if (i + 1 < count)
            text += QStringLiteral("\r\n");
    }
    return text;
}

int pdfPages(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    if (!p.waitForFinished(60000))
        return -1;
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                       .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

int runOne(int lines)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("prog/Data/Settings"));
    for (const char* name : {"tag.dat", "html.dat"}) {
        const QString file = QString::fromLatin1(name);
        QFile::copy(QStringLiteral(QW_SHIPPED_DATA_DIR "/") + file,
                    dir.filePath(QStringLiteral("prog/Data/Settings/") + file));
    }
    bench::QuietUiServices ui;
    // "Tisk" asks before every job; the answer keeps the file set below.
    ui.confirmPrint = true;
    AppContext context(
        AppPaths(dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("cfg")),
                 dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("tmp"))),
        ui);
    context.loadSettings();
    MainWindow window(context);
    window.openStartFile(QString());
    window.documents().current()->setText(generateLines(lines));

    const QString pdf = dir.filePath(QStringLiteral("listing.pdf"));
    QPrinter& printer = window.findChild<PrintFeature*>()->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QCoreApplication::processEvents();

    const long before = statusKiB("VmRSS");
    resetPeak();
    QElapsedTimer t;
    t.start();
    const std::clock_t cpuStart = std::clock();
    window.commands().trigger(QStringLiteral("file.print"), ActionPlace::MainMenu);
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    const long peak = statusKiB("VmHWM");
    // A job that wrote no pages is a failure, not a time.
    const int pages = pdfPages(pdf);
    if (pages < 1)
        return 1;
    std::printf("%d %d %.3f %.3f %.1f %.1f\n", lines, pages, seconds, cpu, before / 1024.0,
                (peak - before) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("--lines"))
        return runOne(args[2].toInt());

    // Wall time is what a person waits; CPU time shows the job's own cost
    // when other work shares the machine.
    std::printf("%8s %7s %9s %9s %12s %16s\n", "lines", "pages", "wall [s]", "CPU [s]", "RSS [MiB]",
                "peak rise [MiB]");
    for (const int lines : {1000, 10000, 40000}) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--lines"), QString::number(lines)});
        child.waitForFinished(-1);
        const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
        if (f.size() != 6) {
            std::printf("%8d failed\n", lines);
            return 1;
        }
        std::printf("%8s %7s %9s %9s %12s %16s\n", f[0].constData(), f[1].constData(),
                    f[2].constData(), f[3].constData(), f[4].constData(), f[5].constData());
    }
    return 0;
}
