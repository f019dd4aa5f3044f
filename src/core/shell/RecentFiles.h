#pragma once

#include <QStringList>

namespace qw {

// The recent-files list: a path seen for the first time goes to the end, a
// path seen again (compared without regard to letter case) moves to the
// front, spelled as given now. Nothing is ever dropped.
void updateRecentFiles(QStringList& list, const QString& path);

// "&1. /path" — the caption of the entry at a 0-based index.
QString recentFileCaption(int index, const QString& path);

} // namespace qw
