#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace qw {

struct FileFilterEntry
{
    QString name;
    QString mask;
    friend bool operator==(const FileFilterEntry&, const FileFilterEntry&) = default;
};

// The mask the filter box gives when it holds no entry.
inline constexpr QLatin1StringView kAllFilesMask{"*.*"};

// Splits the dialog filter text "name1|mask1|name2|mask2|" into its entries,
// in order. The closing bar may be missing; a name without a mask after it
// (an odd number of parts) is an entry whose mask lists everything, and empty
// gaps between bars are kept as empty texts so later pairs do not shift.
QList<FileFilterEntry> parseFilterText(QStringView filterText);

} // namespace qw
