#include "app/checker/CheckerPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace qw {

namespace {

QIcon kindIcon(const QStyle* style, FindingKind kind)
{
    switch (kind) {
    case FindingKind::Error:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case FindingKind::Warning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case FindingKind::Note:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    }
    return {};
}

QString placeText(int value)
{
    return value > 0 ? QString::number(value) : QString();
}

} // namespace

CheckerPanel::CheckerPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CheckerPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("CheckerStatus"));
    layout->addWidget(m_status);
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("CheckerList"));
    m_list->setAccessibleName(QStringLiteral("Kontrola"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({QStringLiteral("Druh"), QStringLiteral("Řádek"),
                             QStringLiteral("Sloupec"), QStringLiteral("Zpráva")});
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(0, 110);
    m_list->setColumnWidth(1, 60);
    m_list->setColumnWidth(2, 60);
    layout->addWidget(m_list, 1);
    setFocusProxy(m_list);
    // Double-click and Enter both activate a row.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const int row = m_list->indexOfTopLevelItem(item);
        if (row >= 0)
            Q_EMIT findingActivated(row);
    });
    updateStatus();
}

void CheckerPanel::setFindings(const QList<PageFinding>& findings)
{
    // Where the selection was: the same finding if it is still there, the
    // nearest one of the same message otherwise, else the same row.
    const int oldRow = currentRow();
    PageFinding selected;
    if (oldRow >= 0)
        selected = m_findings.at(oldRow);

    m_total = findings.size();
    m_counts[0] = m_counts[1] = m_counts[2] = 0;
    for (const PageFinding& f : findings)
        ++m_counts[int(f.kind)];
    m_findings = findings.mid(0, kMaxRows);
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_findings.size());
    for (const PageFinding& f : std::as_const(m_findings)) {
        auto* item = new QTreeWidgetItem;
        item->setIcon(0, kindIcon(style(), f.kind));
        item->setText(0, findingKindText(f.kind));
        item->setText(1, placeText(f.line));
        item->setText(2, placeText(f.column));
        item->setText(3, f.message);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_list->setUpdatesEnabled(true);

    if (oldRow >= 0 && !m_findings.isEmpty()) {
        int best = -1;
        int bestDistance = 0;
        for (int i = 0; i < m_findings.size(); ++i) {
            const PageFinding& f = m_findings.at(i);
            if (f.message != selected.message || f.kind != selected.kind)
                continue;
            const int distance =
                std::abs(f.line - selected.line) * 1000 + std::abs(f.column - selected.column);
            if (best < 0 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        selectRow(best >= 0 ? best : std::min(oldRow, int(m_findings.size()) - 1));
    }
    updateStatus();
}

void CheckerPanel::setRunning(bool running)
{
    m_running = running;
    updateStatus();
}

int CheckerPanel::currentRow() const
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return -1;
    return m_list->indexOfTopLevelItem(selected.first());
}

void CheckerPanel::selectRow(int row)
{
    QTreeWidgetItem* item = m_list->topLevelItem(row);
    if (item == nullptr)
        return;
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void CheckerPanel::updateStatus()
{
    if (m_running) {
        m_status->setText(QStringLiteral("Stránka se kontroluje…"));
        return;
    }
    if (m_findings.isEmpty()) {
        m_status->setText(QStringLiteral("Žádné nálezy."));
        return;
    }
    QString text = QStringLiteral("Chyby: %1, varování: %2, poznámky: %3")
                       .arg(m_counts[0])
                       .arg(m_counts[1])
                       .arg(m_counts[2]);
    if (m_total > m_findings.size()) {
        text += QStringLiteral(" (zobrazeno prvních %1 nálezů z %2)")
                    .arg(m_findings.size())
                    .arg(m_total);
    }
    m_status->setText(text);
}

} // namespace qw
