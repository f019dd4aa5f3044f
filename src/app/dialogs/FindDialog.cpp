#include "app/dialogs/FindDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qw {

using namespace Qt::StringLiterals;

FindDialog::FindDialog(QWidget* parent) : SearchDialog(u"Najít"_s, parent)
{
    auto* direction = new QGroupBox(u"Směr"_s, this);
    auto* up = new QRadioButton(u"Na&horu"_s, direction);
    up->setObjectName(u"rbUp"_s);
    m_down = new QRadioButton(u"&Dolů"_s, direction);
    m_down->setObjectName(u"rbDown"_s);
    m_down->setChecked(true);
    auto* row = new QHBoxLayout(direction);
    row->addWidget(up);
    row->addWidget(m_down);
    optionsColumn()->addWidget(direction);
}

FindOptions FindDialog::options() const
{
    FindOptions o = SearchDialog::options();
    o.forward = m_down->isChecked();
    return o;
}

} // namespace qw
