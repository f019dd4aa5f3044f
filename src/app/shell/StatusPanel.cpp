#include "app/shell/StatusPanel.h"

#include <QAccessible>
#include <QLabel>

namespace qw {

void showPanelText(QLabel* panel, const QString& text)
{
    if (panel->text() == text)
        return;
    panel->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(panel, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace qw
