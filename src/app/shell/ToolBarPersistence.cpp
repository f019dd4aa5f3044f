#include "app/shell/ToolBarPersistence.h"

#include "core/shell/ToolBarRows.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

#include <vector>

namespace qw {

namespace {

// Top of the band within the window: just below the menu bar.
int bandTop(const QMainWindow& window)
{
    const QWidget* menu = window.menuWidget();
    return menu != nullptr && !menu->isHidden() ? menu->geometry().bottom() + 1 : 0;
}

} // namespace

void floatToolBar(QToolBar& bar, QPoint pos)
{
    const bool visible = !bar.isHidden();
    // The flags Qt's own tool bar gives a bar dropped outside the band. The
    // main window's layout skips a bar that is a window and keeps its slot.
    bar.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    bar.adjustSize();
    bar.move(pos);
    if (visible)
        bar.show();
}

void dockToolBar(QToolBar& bar)
{
    if (!bar.isFloating())
        return;
    const bool visible = !bar.isHidden();
    bar.setWindowFlags(Qt::Widget | Qt::FramelessWindowHint);
    if (visible)
        bar.show();
}

void restoreToolBars(QMainWindow& window, const ToolBars& bars, const ToolBarLayouts& layouts)
{
    std::vector<DockedPlace> docked;
    std::vector<std::size_t> floating;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        dockToolBar(*bars[i]);
        window.removeToolBar(bars[i]);
        if (layouts[i].docked)
            docked.push_back(dockedPlace(static_cast<ToolBarId>(i), layouts[i]));
        else
            floating.push_back(i);
    }

    const QList<QList<ToolBarId>> rows = dockedRows(docked);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (r > 0)
            window.addToolBarBreak(Qt::TopToolBarArea);
        for (ToolBarId id : rows.at(r))
            window.addToolBar(Qt::TopToolBarArea, bars[static_cast<std::size_t>(id)]);
    }
    for (std::size_t i : floating) {
        // Its slot in the band is where it docks when dragged back.
        window.addToolBar(Qt::TopToolBarArea, bars[i]);
        const QPoint pos(layouts[i].left.value_or(bars[i]->x()),
                         layouts[i].top.value_or(bars[i]->y()));
        floatToolBar(*bars[i], pos);
    }
    for (std::size_t i = 0; i < bars.size(); ++i)
        bars[i]->setVisible(layouts[i].visible);
}

ToolBarLayout saveToolBar(const QMainWindow& window, const QToolBar& bar, ToolBarId id,
                          const ToolBarLayout& previous)
{
    ToolBarLayout layout;
    layout.present = true;
    layout.visible = !bar.isHidden();
    if (bar.isFloating()) {
        layout.docked = false;
        layout.left = bar.x();
        layout.top = bar.y();
        return layout;
    }
    layout.docked = true;
    if (bar.isHidden()) {
        const DockedPlace place = dockedPlace(id, previous.docked ? previous : ToolBarLayout{});
        layout.left = place.left;
        layout.top = place.top;
        return layout;
    }
    layout.left = bar.x();
    layout.top = bar.y() - bandTop(window);
    return layout;
}

} // namespace qw
