#pragma once

#include "core/settings/AppSettings.h"

#include <QPoint>

#include <array>

class QMainWindow;
class QToolBar;

namespace qw {

using ToolBars = std::array<QToolBar*, ToolBarCount>;
using ToolBarLayouts = std::array<ToolBarLayout, ToolBarCount>;

// Puts the bars (in the order of ToolBarId) where their stored layouts say:
// docked bars into rows of the top band, ordered by their stored top and
// left (a bar without a stored position takes its default place); floating
// bars into their own window at the stored screen position. Then each bar is
// shown or hidden by its VISIBLE key.
void restoreToolBars(QMainWindow& window, const ToolBars& bars, const ToolBarLayouts& layouts);

// The layout of bar id as it stands now. Qt keeps no place up to date for a
// hidden docked bar, so it keeps the docked position of previous (or its
// default place).
ToolBarLayout saveToolBar(const QMainWindow& window, const QToolBar& bar, ToolBarId id,
                          const ToolBarLayout& previous);

// Floats a bar of window as Qt does when the user drags it off the band: it
// stays in the window's layout (so it can be docked again by dragging), and
// becomes a frameless tool window at the screen position pos.
void floatToolBar(QToolBar& bar, QPoint pos);
// Undoes floatToolBar: the bar goes back into its place in the band.
void dockToolBar(QToolBar& bar);

} // namespace qw
