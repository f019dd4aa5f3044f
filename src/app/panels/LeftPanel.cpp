#include "app/panels/LeftPanel.h"

#include <QResizeEvent>
#include <QTabBar>

namespace qw {

LeftPanel::LeftPanel(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageControl2"));
    setAccessibleName(QStringLiteral("Panel HTML"));
    setTabPosition(QTabWidget::South);
    // Tabs that do not fit scroll, so the pages never force the panel wider
    // than the user made it.
    setUsesScrollButtons(true);
    tabBar()->setExpanding(false);
    setDocumentMode(true);
}

int LeftPanel::insertPage(int index, QWidget* page, const QString& caption)
{
    if (page == nullptr)
        return -1;
    if (index < 0 || index > count())
        index = count();
    if (page->accessibleName().isEmpty())
        page->setAccessibleName(caption);
    return insertTab(index, page, caption);
}

void LeftPanel::showPage(QWidget* page)
{
    const int index = indexOf(page);
    if (index >= 0)
        setCurrentIndex(index);
}

QSize LeftPanel::sizeHint() const
{
    return QSize(InitialWidth, QTabWidget::sizeHint().height());
}

void LeftPanel::resizeEvent(QResizeEvent* event)
{
    QTabWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        Q_EMIT resized();
}

} // namespace qw
