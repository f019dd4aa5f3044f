#pragma once

#include "core/findinfiles/TextMatcher.h"
#include "core/text/TextEncoding.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>

namespace qw {

// What a file was when it was searched, so a replacement can see that
// another program wrote it meanwhile.
struct FileVersion
{
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 hash = 0;
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

FileVersion fileVersionOf(QByteArrayView bytes, qint64 modifiedNs);

// The matches of one file.
struct FileResult
{
    QString path;         // absolute
    QString relativePath; // to the searched folder
    TextEncoding encoding = TextEncoding::Windows1250;
    FileVersion version;
    QList<TextMatch> matches;
};

// A file or folder that could not be read, with the reason in Czech.
struct SearchProblem
{
    QString path;
    QString reason;
};

inline constexpr qint64 kDefaultSizeLimit = 20 * 1024 * 1024;

struct FolderSearchOptions
{
    QString folder;
    // As in the file filters: "*.htm;*.html", "*.*" for every file.
    QString masks = QStringLiteral("*.*");
    bool subfolders = true;
    // Larger files are skipped and counted.
    qint64 sizeLimit = kDefaultSizeLimit;
};

struct FolderSearchSummary
{
    qsizetype filesSearched = 0; // text files within the limit
    qsizetype filesMatched = 0;
    qsizetype matches = 0;
    qsizetype notText = 0;  // skipped: not text (the opening's test)
    qsizetype tooLarge = 0; // skipped: over the size limit
    QList<SearchProblem> unreadable;
    bool stopped = false;
};

struct FolderSearchCallbacks
{
    // Each file with matches, as soon as it is searched.
    std::function<void(FileResult&&)> found;
    // Each file or folder that could not be read.
    std::function<void(const SearchProblem&)> problem;
    // After each file looked at, with the count so far.
    std::function<void(qsizetype filesLooked)> progress;
};

// Searches the files of options.folder whose names match the masks (and of
// its subfolders, when asked) in name order, each folder's files before its
// subfolders. Links are followed, but no folder is entered twice, so a link
// loop ends. Each file is read whole into one reused buffer: nothing grows
// with the number of files but the results. Stops soon after stop is set.
FolderSearchSummary searchFolder(const FolderSearchOptions& options, const SearchQuery& query,
                                 const std::atomic<bool>& stop,
                                 const FolderSearchCallbacks& callbacks);

// The encoding a document of these bytes is opened in.
TextEncoding openingEncoding(QByteArrayView bytes);

// The system's reason for errno in Czech.
QString systemReasonText(int error);

} // namespace qw
