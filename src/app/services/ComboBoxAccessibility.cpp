#include "app/services/ComboBoxAccessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace qw {

namespace {

// The combo box as Qt describes it elsewhere: its list and, when editable,
// its line edit as children, the list opening and closing by its action;
// only the name differs.
class NamedComboBoxAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboBoxAccessible(QComboBox* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {}

    QComboBox* comboBox() const { return static_cast<QComboBox*>(object()); }

    QString text(QAccessible::Text t) const override
    {
        QComboBox* combo = comboBox();
        if (t == QAccessible::Value)
            return combo->isEditable() ? combo->lineEdit()->text() : combo->currentText();
        if (t == QAccessible::Name) {
            const QString name = QAccessibleWidget::text(t);
            return name.isEmpty() ? text(QAccessible::Value) : name;
        }
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return comboBox()->isEditable() ? 2 : 1; }

    QAccessibleInterface* child(int index) const override
    {
        QComboBox* combo = comboBox();
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo->view());
        if (index == 1 && combo->isEditable())
            return QAccessible::queryAccessibleInterface(combo->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        QComboBox* combo = comboBox();
        if (child == nullptr)
            return -1;
        if (child->object() == combo->view())
            return 0;
        if (combo->isEditable() && child->object() == combo->lineEdit())
            return 1;
        return -1;
    }

    // The line edit of an editable combo box never holds the focus itself
    // (the combo box is its focus proxy), yet it is where the text cursor is.
    QAccessibleInterface* focusChild() const override
    {
        return comboBox()->isEditable() ? child(1) : nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        QComboBox* combo = comboBox();
        s.expandable = true;
        s.expanded = combo->view()->isVisible();
        s.editable = combo->isEditable();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        QComboBox* combo = comboBox();
        if (actionName == showMenuAction() || actionName == pressAction()) {
            if (combo->view()->isVisible())
                combo->hidePopup();
            else
                combo->showPopup();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* namedComboBoxFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    // Every combo box: its interface is made the first time anything asks,
    // often before its name is given (filling its list already reports).
    auto* combo = qobject_cast<QComboBox*>(object);
    return combo != nullptr ? new NamedComboBoxAccessible(combo) : nullptr;
}

} // namespace

void installComboBoxAccessibility()
{
    // Factories installed later are asked first; Qt ignores a second install.
    QAccessible::installFactory(&namedComboBoxFactory);
}

} // namespace qw
