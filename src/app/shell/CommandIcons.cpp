#include "app/shell/CommandIcons.h"

namespace qw {

QString shippedIconPath(const QString& name)
{
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

QIcon commandIcon(const QString& name)
{
    const QIcon shipped(shippedIconPath(name));
    if (name.startsWith(QStringLiteral("qw-")))
        return shipped;
    return QIcon::fromTheme(name, shipped);
}

} // namespace qw
