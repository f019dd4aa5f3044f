#include "app/services/FileDialogFilter.h"

#include "core/filepanel/FilterList.h"

#include <QStringList>

namespace qw {

QString qtDialogFilter(const QString& filterText)
{
    QStringList out;
    for (const FileFilterEntry& entry : parseFilterText(filterText)) {
        QStringList patterns;
        for (const QString& p : entry.mask.split(u';', Qt::SkipEmptyParts)) {
            const QString t = p.trimmed();
            if (!t.isEmpty())
                patterns << (t == QStringLiteral("*.*") ? QStringLiteral("*") : t);
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        out << entry.name + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    if (out.isEmpty())
        out << QStringLiteral("Všechny soubory (*)");
    return out.join(QStringLiteral(";;"));
}

} // namespace qw
