#include "app/inspector/SpecialCharacterList.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace qw {

SpecialCharacterList::SpecialCharacterList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lvSpecial"));
    setAccessibleName(QStringLiteral("Special Char"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Znak"), QStringLiteral("v HTML")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    setColumnWidth(0, CharacterColumnWidth);
    setColumnWidth(1, HtmlColumnWidth);
}

void SpecialCharacterList::fill(const QList<SpecialCharacter>& characters)
{
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(characters.size());
    for (const SpecialCharacter& c : characters)
        items.append(new QTreeWidgetItem(QStringList{c.character, c.html}));
    addTopLevelItems(items);
}

void SpecialCharacterList::fitColumns()
{
    setColumnWidth(1, std::max(0, width() - columnWidth(0) - 20));
}

void SpecialCharacterList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    // The selected row counts; without one nothing is inserted.
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty())
        Q_EMIT insertRequested(selected.constFirst()->text(1));
}

} // namespace qw
