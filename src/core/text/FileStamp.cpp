#include "core/text/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace qw {

FileStamp fileStamp(const QString& path)
{
    struct stat st
    {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = static_cast<qint64>(st.st_size);
    stamp.modifiedNs = static_cast<qint64>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.device = static_cast<quint64>(st.st_dev);
    stamp.inode = static_cast<quint64>(st.st_ino);
    return stamp;
}

DiskChange diskChange(const FileStamp& known, const FileStamp& now)
{
    if (known == now)
        return DiskChange::None;
    if (!now.exists)
        return DiskChange::Gone;
    return known.exists ? DiskChange::Changed : DiskChange::Returned;
}

} // namespace qw
