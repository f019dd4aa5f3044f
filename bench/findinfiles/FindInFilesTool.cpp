// The folder search on the command line, for timing from outside against
// grep -rlF on the same tree:
//   qw_find_in_files [--masks MASKS] [--case] NEEDLE FOLDER
// prints the path of every file with a match as it is found, like grep -l,
// and on the error stream the time to the first file and the totals. Exit
// status 0 when something was found, 1 when nothing was, 2 when the search
// could not run (bad arguments, a folder that cannot be read).

#include "core/findinfiles/FolderSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    qw::FolderSearchOptions options;
    qw::SearchQuery query;
    // grep -F compares case.
    query.matchCase = true;
    while (!args.isEmpty() && args.first().startsWith(u'-')) {
        const QString flag = args.takeFirst();
        if (flag == QStringLiteral("--masks") && !args.isEmpty()) {
            options.masks = args.takeFirst();
        } else if (flag == QStringLiteral("--ignore-case")) {
            query.matchCase = false;
        } else {
            std::fprintf(stderr, "unknown option %s\n", qPrintable(flag));
            return 2;
        }
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: qw_find_in_files [--masks MASKS] [--ignore-case] NEEDLE "
                             "FOLDER\n");
        return 2;
    }
    query.text = args[0];
    options.folder = args[1];
    const qw::TextMatcher check(query);
    if (!check.isValid()) {
        std::fprintf(stderr, "%s\n", qPrintable(check.errorText()));
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    qint64 firstMs = -1;
    std::atomic<bool> stop{false};
    qw::FolderSearchCallbacks callbacks;
    callbacks.found = [&](qw::FileResult&& result) {
        if (firstMs < 0)
            firstMs = clock.elapsed();
        const QByteArray path = QFile::encodeName(result.path);
        std::fwrite(path.constData(), 1, size_t(path.size()), stdout);
        std::fputc('\n', stdout);
    };
    const qw::FolderSearchSummary summary = qw::searchFolder(options, query, stop, callbacks);
    std::fflush(stdout);
    const qint64 totalMs = clock.elapsed();
    for (const qw::SearchProblem& problem : summary.unreadable)
        std::fprintf(stderr, "%s: %s\n", qPrintable(problem.path), qPrintable(problem.reason));
    std::fprintf(
        stderr,
        "first file after %lld ms; %lld files searched, %lld with %lld matches, "
        "%lld not text, %lld too large, %lld unreadable; %lld ms\n",
        static_cast<long long>(firstMs), static_cast<long long>(summary.filesSearched),
        static_cast<long long>(summary.filesMatched), static_cast<long long>(summary.matches),
        static_cast<long long>(summary.notText), static_cast<long long>(summary.tooLarge),
        static_cast<long long>(summary.unreadable.size()), static_cast<long long>(totalMs));
    if (summary.filesSearched == 0 && !summary.unreadable.isEmpty())
        return 2;
    return summary.filesMatched > 0 ? 0 : 1;
}
