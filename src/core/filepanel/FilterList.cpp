#include "core/filepanel/FilterList.h"

namespace qw {

QList<FileFilterEntry> parseFilterText(QStringView filterText)
{
    QList<FileFilterEntry> entries;
    if (filterText.isEmpty())
        return entries;
    QStringView text = filterText;
    if (text.endsWith(u'|'))
        text.chop(1);
    const QList<QStringView> parts = text.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        FileFilterEntry entry;
        entry.name = parts.at(i).toString();
        entry.mask = i + 1 < parts.size() ? parts.at(i + 1).toString() : QString(kAllFilesMask);
        entries.append(entry);
    }
    return entries;
}

} // namespace qw
