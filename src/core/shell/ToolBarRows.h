#pragma once

#include "core/settings/AppSettings.h"

#include <QList>

#include <span>

namespace qw {

// The stored place of a docked tool bar, in pixels of the band.
struct DockedPlace
{
    ToolBarId bar;
    int left = 0;
    int top = 0;
};

// Where a bar stands when its layout says nothing: its default place.
DockedPlace dockedPlace(ToolBarId bar, const ToolBarLayout& layout);

// Bars whose tops lie closer than this share a row of the band.
inline constexpr int ToolBarRowTolerance = 12;

// The docked bars as rows of the band, top to bottom, each row left to right:
// sorted by top, then left; a bar starts a new row when its top lies at least
// ToolBarRowTolerance below the first bar of the current row.
QList<QList<ToolBarId>> dockedRows(std::span<const DockedPlace> places);

} // namespace qw
