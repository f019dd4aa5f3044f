#pragma once

#include <QList>
#include <QString>

namespace qw {

class FileMask;

struct FileListEntry
{
    QString name;
    qint64 size = 0;
};

// The files of a folder that a mask lists, sorted by name ignoring case:
// files only (never folders), no hidden files (on Linux, names starting with
// a dot), no sockets or devices. A folder that cannot be read gives an empty
// list.
QList<FileListEntry> listFolderFiles(const QString& folder, const FileMask& mask);

} // namespace qw
