#include "core/filepanel/FileMask.h"

using namespace Qt::StringLiterals;

namespace qw {

FileMask::FileMask(const QString& mask)
{
    const QStringList parts = mask.split(u';');
    for (const QString& part : parts) {
        const QString pattern = part.trimmed();
        if (pattern.isEmpty())
            continue;
        if (pattern == "*.*"_L1 || pattern == "*"_L1)
            m_everything = true;
        else if (pattern.startsWith(u'*'))
            m_patterns.append(pattern);
        // A pattern that does not start with "*" can never equal "*" plus an
        // extension, so it is not kept at all.
    }
}

bool FileMask::matches(QStringView fileName) const
{
    if (m_everything)
        return true;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false; // no extension: only "*" and "*.*" list such a file
    const QStringView extension = fileName.mid(dot);
    for (const QString& pattern : m_patterns) {
        if (QStringView(pattern).mid(1).compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace qw
