#include "app/dialogs/ReplaceDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace qw {

using namespace Qt::StringLiterals;

ReplaceDialog::ReplaceDialog(QWidget* parent) : SearchDialog(u"Nahradit"_s, parent)
{
    m_replaceEdit = addField(u"Nahradit čí&m:"_s, u"edReplace"_s);
    matchCaseBox()->setChecked(true);

    QPushButton* replace = addButton(u"Nah&radit"_s, u"btnReplace"_s, true);
    connect(replace, &QPushButton::clicked, this, &ReplaceDialog::replaceRequested);
    QPushButton* replaceAll = addButton(u"Nahradit v&še"_s, u"btnReplaceAll"_s, true);
    connect(replaceAll, &QPushButton::clicked, this, &ReplaceDialog::replaceAllRequested);
}

QString ReplaceDialog::replaceText() const
{
    return m_replaceEdit->text();
}

} // namespace qw
