#include "core/settings/FontFamilies.h"

#include <QSet>

namespace qw {

namespace {
// "Family [foundry]" → "Family"; a name without a trailing bracket stays.
QString withoutFoundry(const QString& family)
{
    if (!family.endsWith(u']'))
        return family.trimmed();
    const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
    if (open < 0)
        return family.trimmed();
    return family.left(open).trimmed();
}
} // namespace

QStringList fontFamilyChoices(const QStringList& families)
{
    QStringList choices;
    QSet<QString> seen;
    for (const QString& family : families) {
        const QString name = withoutFoundry(family);
        if (name.isEmpty())
            continue;
        // The font system matches family names without regard to case.
        const QString key = name.toCaseFolded();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        choices << name;
    }
    return choices;
}

} // namespace qw
