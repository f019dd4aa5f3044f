#include "core/shell/ToolBarRows.h"

#include "core/shell/CommandLayout.h"

#include <algorithm>
#include <vector>

namespace qw {

DockedPlace dockedPlace(ToolBarId bar, const ToolBarLayout& layout)
{
    const ToolBarDef& def = toolBarDef(bar);
    return {bar, layout.left.value_or(def.defaultLeft), layout.top.value_or(def.defaultTop)};
}

QList<QList<ToolBarId>> dockedRows(std::span<const DockedPlace> places)
{
    std::vector<DockedPlace> sorted(places.begin(), places.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const DockedPlace& a, const DockedPlace& b) {
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    QList<QList<ToolBarId>> rows;
    int rowTop = 0;
    std::vector<DockedPlace> row;
    auto flush = [&] {
        if (row.empty())
            return;
        std::stable_sort(row.begin(), row.end(), [](const DockedPlace& a, const DockedPlace& b) {
            return a.left < b.left;
        });
        QList<ToolBarId> ids;
        for (const DockedPlace& p : row)
            ids.append(p.bar);
        rows.append(ids);
        row.clear();
    };
    for (const DockedPlace& p : sorted) {
        if (!row.empty() && p.top - rowTop >= ToolBarRowTolerance)
            flush();
        if (row.empty())
            rowTop = p.top;
        row.push_back(p);
    }
    flush();
    return rows;
}

} // namespace qw
