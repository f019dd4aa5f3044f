#include "core/shell/RecentFiles.h"

namespace qw {

void updateRecentFiles(QStringList& list, const QString& path)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).compare(path, Qt::CaseInsensitive) == 0) {
            list.removeAt(i);
            list.prepend(path);
            return;
        }
    }
    list.append(path);
}

QString recentFileCaption(int index, const QString& path)
{
    return u'&' + QString::number(index + 1) + QStringLiteral(". ") + path;
}

} // namespace qw
