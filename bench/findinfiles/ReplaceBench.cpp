// Replacing 10,000 matches in 1,000 files (ten a file, half of the files
// Windows-1250 with CR LF, half UTF-8 with LF): the search that finds them
// and the replacement that writes each file once, atomically. The target is
// 5 s for both. A run that replaces fewer matches or leaves a file unwritten
// is a failure, not a time.

#include "core/findinfiles/FileReplace.h"
#include "core/findinfiles/FolderSearch.h"
#include "core/text/Windows1250.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kFiles = 1000;
constexpr int kMatchesPerFile = 10;

QByteArray page(int n)
{
    QString text = QStringLiteral("<html><head><title>Stránka %1</title></head><body>\n").arg(n);
    for (int k = 0; k < kMatchesPerFile; ++k) {
        text += QStringLiteral("<p>Příliš žluťoučký kůň úpěl ďábelské ódy, odstavec %1.</p>\n"
                               "<p>Copyright © 2025 Firma s.r.o.</p>\n")
                    .arg(k);
    }
    text += QStringLiteral("</body></html>\n");
    if (n % 2 == 0)
        return qw::encodeWindows1250(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
    return text.toUtf8();
}

bool writeAll(const QString& folder, const QList<QByteArray>& pages)
{
    for (int n = 0; n < pages.size(); ++n) {
        QFile file(QStringLiteral("%1/stranka%2.html").arg(folder).arg(n, 4, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(pages[n]) != pages[n].size())
            return false;
    }
    return true;
}

void BM_ReplaceInThousandFiles(benchmark::State& state)
{
    QTemporaryDir dir;
    QList<QByteArray> pages;
    for (int n = 0; n < kFiles; ++n)
        pages << page(n);
    if (!dir.isValid() || !writeAll(dir.path(), pages)) {
        state.SkipWithError("the pages could not be written");
        return;
    }
    qw::FolderSearchOptions options;
    options.folder = dir.path();
    options.masks = QStringLiteral("*.html");
    const qw::SearchQuery query{QStringLiteral("© 2025 Firma"), QStringLiteral("© 2026 Firma"),
                                true, false, false};
    for (auto _ : state) {
        state.PauseTiming();
        if (!writeAll(dir.path(), pages)) {
            state.SkipWithError("the pages could not be written again");
            return;
        }
        state.ResumeTiming();
        std::atomic<bool> stop{false};
        QList<qw::FileResult> results;
        qw::FolderSearchCallbacks callbacks;
        callbacks.found = [&](qw::FileResult&& r) {
            results.append(std::move(r));
        };
        qw::searchFolder(options, query, stop, callbacks);
        qsizetype replaced = 0;
        qsizetype written = 0;
        for (const qw::FileResult& r : results) {
            const qw::ReplaceOutcome outcome = qw::replaceInFile(r, r.matches);
            replaced += outcome.replaced;
            written += outcome.ok ? 1 : 0;
        }
        if (replaced != kFiles * kMatchesPerFile || written != kFiles) {
            state.SkipWithError("not every match was replaced");
            return;
        }
    }
    // The last run's files: the year changed and nothing else.
    QFile check(dir.filePath(QStringLiteral("stranka0000.html")));
    if (!check.open(QIODevice::ReadOnly) ||
        check.readAll() != QByteArray(pages[0]).replace("2025", "2026"))
        state.SkipWithError("a replaced file holds other bytes than expected");
    state.counters["matches"] = kFiles * kMatchesPerFile;
    state.counters["files"] = kFiles;
}

} // namespace

BENCHMARK(BM_ReplaceInThousandFiles)->Unit(benchmark::kMillisecond)->Iterations(3);
