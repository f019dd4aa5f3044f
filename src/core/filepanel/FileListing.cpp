#include "core/filepanel/FileListing.h"

#include "core/filepanel/FileMask.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace qw {

QList<FileListEntry> listFolderFiles(const QString& folder, const FileMask& mask)
{
    QList<FileListEntry> entries;
    if (folder.isEmpty())
        return entries;
    const QDir dir(folder);
    const QFileInfoList infos = dir.entryInfoList(QDir::Files, QDir::Unsorted);
    for (const QFileInfo& info : infos) {
        const QString name = info.fileName();
        if (mask.matches(name))
            entries.append({name, info.size()});
    }
    std::sort(entries.begin(), entries.end(), [](const FileListEntry& a, const FileListEntry& b) {
        const int order = a.name.compare(b.name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return entries;
}

} // namespace qw
