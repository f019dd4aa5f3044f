// Runs the page check over every page (*.htm, *.html) under the folders
// given: no crash, no hang (a page past its time limit is a failure), the
// time per page, and how many of the library's messages were shown in Czech,
// with the codes that had no Czech text.
//   bench_check_corpus /tmp/design-corpus/utf8 /tmp/design-corpus/cp1250
#include "core/check/PageCheck.h"
#include "core/text/DocumentText.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QThread>

#include <cstdio>

using namespace qw;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList folders = app.arguments().mid(1);
    if (folders.isEmpty()) {
        std::fprintf(stderr, "usage: bench_check_corpus FOLDER...\n");
        return 2;
    }
    QStringList pages;
    for (const QString& folder : folders) {
        QDirIterator it(folder, {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            pages << it.next();
    }
    pages.sort();
    if (pages.isEmpty()) {
        std::fprintf(stderr, "no pages under the folders given\n");
        return 1;
    }

    int failures = 0;
    int gaveUp = 0;
    qint64 totalNs = 0;
    qint64 slowestNs = 0;
    QString slowest;
    qsizetype totalBytes = 0;
    qsizetype markup = 0;
    qsizetype czech = 0;
    qsizetype own = 0;
    QMap<QString, int> withoutCzech;
    QMap<QString, int> seenCodes;
    for (const QString& path : std::as_const(pages)) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            std::printf("FAIL %s: cannot be read\n", qPrintable(path));
            ++failures;
            continue;
        }
        const QByteArray file = f.readAll();
        totalBytes += file.size();
        // The text as the editor holds it after opening the file: UTF-8
        // whatever the file's encoding.
        const QByteArray bytes = decodeDocument(file).text.toUtf8();
        PageCheck result;
        QElapsedTimer timer;
        timer.start();
        // As the window runs it: on a worker thread with a time limit.
        QThread* worker = QThread::create([&] {
            CheckControl control;
            control.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            result = checkPage(bytes, path, control);
        });
        worker->setStackSize(64u * 1024u * 1024u);
        worker->start();
        worker->wait();
        delete worker;
        const qint64 ns = timer.nsecsElapsed();
        totalNs += ns;
        if (ns > slowestNs) {
            slowestNs = ns;
            slowest = path;
        }
        if (result.outcome == CheckOutcome::TimedOut) {
            std::printf("FAIL %s: not checked within its time limit\n", qPrintable(path));
            ++failures;
            continue;
        }
        if (result.outcome == CheckOutcome::GaveUp) {
            std::printf("GAVE UP %s: %s\n", qPrintable(path),
                        qPrintable(result.findings.value(0).message));
            ++gaveUp;
            continue;
        }
        for (const PageFinding& finding : std::as_const(result.findings)) {
            if (finding.code.isEmpty()) {
                ++own;
                continue;
            }
            ++markup;
            ++seenCodes[finding.code];
            if (finding.czech)
                ++czech;
            else
                ++withoutCzech[finding.code];
        }
    }

    const double pagesCount = double(pages.size());
    std::printf("pages: %lld (%.1f MB), failures: %d, given up: %d\n",
                static_cast<long long>(pages.size()), double(totalBytes) / 1e6, failures, gaveUp);
    std::printf("time: %.1f ms a page on average, %.1f ms the slowest (%s), %.2f s in all\n",
                double(totalNs) / 1e6 / pagesCount, double(slowestNs) / 1e6, qPrintable(slowest),
                double(totalNs) / 1e9);
    std::printf("library messages: %lld, in Czech: %lld (%.1f %%); our own findings: %lld\n",
                static_cast<long long>(markup), static_cast<long long>(czech),
                markup > 0 ? 100.0 * double(czech) / double(markup) : 100.0,
                static_cast<long long>(own));
    std::printf("codes seen: %lld, without a Czech text: %lld\n",
                static_cast<long long>(seenCodes.size()),
                static_cast<long long>(withoutCzech.size()));
    for (auto it = withoutCzech.cbegin(); it != withoutCzech.cend(); ++it)
        std::printf("  %s: %d\n", qPrintable(it.key()), it.value());
    return failures == 0 ? 0 : 1;
}
