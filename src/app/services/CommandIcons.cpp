#include "app/services/CommandIcons.h"

// The icons live in the window's static library: their resource must be
// registered by hand, and Q_INIT_RESOURCE works only outside a namespace.
static void registerShippedIcons()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(done);
}

namespace qw {

QString shippedIconPath(const QString& name)
{
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

QIcon commandIcon(const QString& name)
{
    registerShippedIcons();
    const QIcon shipped(shippedIconPath(name));
    if (name.startsWith(QStringLiteral("qw-")))
        return shipped;
    return QIcon::fromTheme(name, shipped);
}

} // namespace qw
