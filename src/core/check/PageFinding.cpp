#include "core/check/PageFinding.h"

#include <algorithm>

namespace qw {

QString findingKindText(FindingKind kind)
{
    switch (kind) {
    case FindingKind::Error:
        return QStringLiteral("chyba");
    case FindingKind::Warning:
        return QStringLiteral("varování");
    case FindingKind::Note:
        return QStringLiteral("poznámka");
    }
    return {};
}

void sortFindings(QList<PageFinding>& findings)
{
    std::stable_sort(findings.begin(), findings.end(),
                     [](const PageFinding& a, const PageFinding& b) {
                         if (a.line != b.line)
                             return a.line < b.line;
                         return a.column < b.column;
                     });
}

} // namespace qw
