#include "app/dialogs/SearchDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qw {

using namespace Qt::StringLiterals;

namespace {

// "Na&jít:" reads "Najít" to a screen reader.
QString accessibleText(QString label)
{
    label.remove(u'&');
    if (label.endsWith(u':'))
        label.chop(1);
    return label.trimmed();
}

} // namespace

SearchDialog::SearchDialog(const QString& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption);
    setModal(false);

    m_fields = new QGridLayout;
    m_options = new QVBoxLayout;
    m_buttons = new QVBoxLayout;

    auto* left = new QVBoxLayout;
    left->addLayout(m_fields);
    left->addLayout(m_options);
    left->addStretch();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(m_buttons);

    m_findEdit = addField(u"Na&jít:"_s, u"edFind"_s);

    m_matchCase = new QCheckBox(u"Rozlišovat &velká a malá písmena"_s, this);
    m_matchCase->setObjectName(u"chbMatchCase"_s);
    m_wholeWords = new QCheckBox(u"&Celá slova"_s, this);
    m_wholeWords->setObjectName(u"chbWholeWords"_s);
    m_options->addWidget(m_wholeWords);
    m_options->addWidget(m_matchCase);

    auto* close = new QPushButton(u"Zavřít"_s, this);
    close->setObjectName(u"btnClose"_s);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    m_buttons->addWidget(close);
    m_buttons->addStretch();

    QPushButton* findNext = addButton(u"&Najít další"_s, u"btnFindNext"_s, true);
    findNext->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, &SearchDialog::findNextRequested);

    connect(m_findEdit, &QLineEdit::textChanged, this, &SearchDialog::updateButtons);
}

QString SearchDialog::findText() const
{
    return m_findEdit->text();
}

FindOptions SearchDialog::options() const
{
    FindOptions o;
    o.forward = true;
    o.matchCase = m_matchCase->isChecked();
    o.wholeWords = m_wholeWords->isChecked();
    return o;
}

void SearchDialog::present()
{
    if (!m_tabOrderSet) {
        setTabOrderFromLayout();
        m_tabOrderSet = true;
    }
    show();
    raise();
    activateWindow();
    m_findEdit->setFocus(Qt::OtherFocusReason);
    m_findEdit->selectAll();
}

QLineEdit* SearchDialog::addField(const QString& label, const QString& objectName)
{
    const int row = m_fields->rowCount();
    auto* caption = new QLabel(label, this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setAccessibleName(accessibleText(label));
    caption->setBuddy(edit);
    m_fields->addWidget(caption, row, 0);
    m_fields->addWidget(edit, row, 1);
    return edit;
}

QPushButton* SearchDialog::addButton(const QString& text, const QString& objectName, bool needsText)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    // Enter always means "find next", whichever button has the focus.
    button->setAutoDefault(false);
    // Above "Zavřít" and the stretch under it.
    m_buttons->insertWidget(m_buttons->count() - 2, button);
    if (needsText) {
        m_textButtons.append(button);
        button->setEnabled(!m_findEdit->text().isEmpty());
    }
    return button;
}

void SearchDialog::setTabOrderFromLayout()
{
    // The widgets were made in the order the constructors needed them; Tab
    // goes down the fields, through the options and then down the buttons.
    QList<QWidget*> order;
    for (int row = 0; row < m_fields->rowCount(); ++row) {
        if (QLayoutItem* item = m_fields->itemAtPosition(row, 1))
            order.append(item->widget());
    }
    for (int i = 0; i < m_options->count(); ++i) {
        QWidget* w = m_options->itemAt(i)->widget();
        if (qobject_cast<QGroupBox*>(w)) {
            const auto radios = w->findChildren<QRadioButton*>();
            for (QRadioButton* r : radios)
                order.append(r);
        } else if (w) {
            order.append(w);
        }
    }
    for (int i = 0; i < m_buttons->count(); ++i) {
        if (QWidget* w = m_buttons->itemAt(i)->widget())
            order.append(w);
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void SearchDialog::updateButtons()
{
    const bool hasText = !m_findEdit->text().isEmpty();
    for (QPushButton* b : std::as_const(m_textButtons))
        b->setEnabled(hasText);
}

} // namespace qw
