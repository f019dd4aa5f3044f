#include "app/panels/LeftPanel.h"

#include <QIcon>
#include <QResizeEvent>
#include <QTabBar>

#include <algorithm>

namespace qw {

LeftPanel::LeftPanel(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageControl2"));
    setAccessibleName(QStringLiteral("Panel HTML"));
    setTabPosition(QTabWidget::South);
    // A tab hidden behind scroll arrows or cut short is a page the user does
    // not find. Without either, the tabs ask for their whole width as the
    // panel's minimum, which the splitter keeps.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
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

int LeftPanel::addIconPage(QWidget* page, const QIcon& icon, const QString& name)
{
    if (page == nullptr)
        return -1;
    page->setAccessibleName(name);
    const int index = insertTab(count(), page, icon, QString());
    setTabToolTip(index, name);
    tabBar()->setAccessibleTabName(index, name);
    return index;
}

void LeftPanel::showPage(QWidget* page)
{
    const int index = indexOf(page);
    if (index >= 0)
        setCurrentIndex(index);
}

QSize LeftPanel::sizeHint() const
{
    return QSize(std::max(InitialWidth, minimumSizeHint().width()),
                 QTabWidget::sizeHint().height());
}

void LeftPanel::resizeEvent(QResizeEvent* event)
{
    QTabWidget::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        Q_EMIT resized();
}

} // namespace qw
