#include "app/findinfiles/FindInFilesDialog.h"

#include "app/services/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qw {
namespace {

constexpr int kMaskRole = Qt::UserRole + 1;

} // namespace

FindInFilesDialog::FindInFilesDialog(UiServices& ui, QWidget* parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("FindInFilesDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    // Made in the order they are shown, so Tab follows the rows.
    auto* textLabel = new QLabel(QStringLiteral("&Hledat:"));
    m_text = new QLineEdit;
    m_text->setMinimumWidth(360);
    textLabel->setBuddy(m_text);
    grid->addWidget(textLabel, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);

    m_replacementLabel = new QLabel(QStringLiteral("&Nahradit za:"));
    m_replacement = new QLineEdit;
    m_replacementLabel->setBuddy(m_replacement);
    grid->addWidget(m_replacementLabel, 1, 0);
    grid->addWidget(m_replacement, 1, 1, 1, 2);

    auto* folderLabel = new QLabel(QStringLiteral("S&ložka:"));
    m_folder = new QComboBox;
    m_folder->setEditable(true);
    m_folder->setInsertPolicy(QComboBox::NoInsert);
    m_folder->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    folderLabel->setBuddy(m_folder);
    m_browse = new QPushButton(QStringLiteral("&Procházet..."));
    grid->addWidget(folderLabel, 2, 0);
    grid->addWidget(m_folder, 2, 1);
    grid->addWidget(m_browse, 2, 2);

    auto* maskLabel = new QLabel(QStringLiteral("&Maska souborů:"));
    m_masks = new QComboBox;
    m_masks->setEditable(true);
    m_masks->setInsertPolicy(QComboBox::NoInsert);
    maskLabel->setBuddy(m_masks);
    grid->addWidget(maskLabel, 3, 0);
    grid->addWidget(m_masks, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    m_subfolders = new QCheckBox(QStringLiteral("&Včetně podsložek"));
    m_subfolders->setChecked(true);
    m_matchCase = new QCheckBox(QStringLiteral("&Rozlišovat velikost písmen"));
    m_wholeWords = new QCheckBox(QStringLiteral("&Celá slova"));
    m_regex = new QCheckBox(QStringLiteral("Re&gulární výraz"));
    for (QCheckBox* box : {m_subfolders, m_matchCase, m_wholeWords, m_regex})
        layout->addWidget(box);

    auto* buttons = new QDialogButtonBox;
    m_ok = buttons->addButton(QStringLiteral("Hledat"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &FindInFilesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FindInFilesDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &FindInFilesDialog::browse);
    // A filter chosen from the list puts its masks into the field.
    connect(m_masks, &QComboBox::activated, this, [this](int index) {
        const QString mask = m_masks->itemData(index, kMaskRole).toString();
        if (!mask.isEmpty())
            m_masks->setEditText(mask);
    });
}

void FindInFilesDialog::prepare(bool replace, const QStringList& folders,
                                const QList<FileFilterEntry>& filters, const QString& masks)
{
    m_replace = replace;
    setWindowTitle(replace ? QStringLiteral("Nahradit v souborech")
                           : QStringLiteral("Hledat v souborech"));
    m_replacementLabel->setVisible(replace);
    m_replacement->setVisible(replace);
    m_folder->clear();
    m_folder->addItems(folders);
    m_folder->setEditText(folders.value(0));
    m_masks->clear();
    for (const FileFilterEntry& filter : filters) {
        m_masks->addItem(QStringLiteral("%1 (%2)").arg(filter.name, filter.mask));
        m_masks->setItemData(m_masks->count() - 1, filter.mask, kMaskRole);
    }
    const QString proposed =
        !masks.isEmpty() ? masks
                         : (filters.isEmpty() ? QString(kAllFilesMask) : filters.first().mask);
    m_masks->setEditText(proposed);
    m_text->setFocus();
    m_text->selectAll();
}

SearchQuery FindInFilesDialog::query() const
{
    SearchQuery q;
    q.text = m_text->text();
    q.replacement = m_replace ? m_replacement->text() : QString();
    q.matchCase = m_matchCase->isChecked();
    q.wholeWords = m_wholeWords->isChecked();
    q.regularExpression = m_regex->isChecked();
    return q;
}

FolderSearchOptions FindInFilesDialog::options() const
{
    FolderSearchOptions o;
    o.folder = m_folder->currentText().trimmed();
    o.masks = m_masks->currentText().trimmed();
    if (o.masks.isEmpty())
        o.masks = QString(kAllFilesMask);
    o.subfolders = m_subfolders->isChecked();
    return o;
}

QString FindInFilesDialog::problem() const
{
    const TextMatcher matcher(query());
    if (!matcher.isValid())
        return matcher.errorText();
    const QString folder = options().folder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return QStringLiteral("Složka \"%1\" neexistuje.").arg(folder);
    return {};
}

void FindInFilesDialog::accept()
{
    const QString why = problem();
    if (!why.isEmpty()) {
        m_ui.notify(this, UiServices::Icon::Warning, why);
        return;
    }
    QDialog::accept();
}

void FindInFilesDialog::browse()
{
    const QString chosen =
        m_ui.existingFolder(this, QStringLiteral("Vyberte složku"), m_folder->currentText());
    if (!chosen.isEmpty())
        m_folder->setEditText(chosen);
}

} // namespace qw
