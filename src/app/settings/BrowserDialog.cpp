#include "app/settings/BrowserDialog.h"

#include "app/services/UiServices.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace qw {

BrowserDialog::BrowserDialog(UiServices& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(u"frmAddBrowser"_s);
    setWindowTitle(u"Přidat"_s);
    auto* grid = new QGridLayout(this);
    auto* nameLabel = new QLabel(u"Název :"_s);
    auto* pathLabel = new QLabel(u"Cesta :"_s);
    m_name = new QLineEdit;
    m_path = new QLineEdit;
    m_name->setMinimumWidth(320);
    nameLabel->setBuddy(m_name);
    pathLabel->setBuddy(m_path);
    m_browse = new QPushButton(u"..."_s);
    m_browse->setToolTip(u"Vybrat program"_s);
    m_browse->setAccessibleName(u"Vybrat program"_s);
    m_browse->setAutoDefault(false);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 2);
    grid->addWidget(pathLabel, 1, 0);
    grid->addWidget(m_path, 1, 1);
    grid->addWidget(m_browse, 1, 2);
    auto* buttons = new QDialogButtonBox;
    m_ok = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(u"Storno"_s, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    grid->addWidget(buttons, 2, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &BrowserDialog::browse);
}

void BrowserDialog::browse()
{
    const QFileInfo current(m_path->text());
    const QString folder =
        current.isAbsolute() && current.dir().exists() ? current.absolutePath() : u"/usr/bin"_s;
    const QString chosen = m_ui.openProgramFileName(this, u"Vybrat program"_s, folder);
    if (chosen.isEmpty())
        return;
    m_path->setText(chosen);
    if (m_name->text().isEmpty())
        m_name->setText(QFileInfo(chosen).fileName());
}

} // namespace qw
