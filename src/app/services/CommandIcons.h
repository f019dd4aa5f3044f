#pragma once

#include <QIcon>
#include <QString>

namespace qw {

// The icon of a command. A freedesktop name comes from the icon theme when
// the desktop has one, else from the icon shipped under the same name; the
// program's own names ("qw-...") always come from the shipped icons, so a
// bare desktop shows every button too.
QIcon commandIcon(const QString& name);

// The resource path of a shipped icon.
QString shippedIconPath(const QString& name);

} // namespace qw
