#pragma once

#include <QString>
#include <QtGlobal>

namespace qw {

// What the file system says of a file, enough to see that another program
// wrote it, replaced it or took it away since the editor read or wrote it.
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at path (following a link, as reading does).
FileStamp fileStamp(const QString& path);

// What became of an open document's file since the stamp known was taken.
enum class DiskChange {
    None,
    Changed,  // written or replaced by another program
    Gone,     // deleted or moved away
    Returned, // there again after it was gone
};

DiskChange diskChange(const FileStamp& known, const FileStamp& now);

} // namespace qw
