#include "app/services/UiServices.h"

#include "app/services/PictureFileDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QToolButton>
#include <QPushButton>
#include <QSortFilterProxyModel>

namespace qw {

namespace {
const QString kCaption = QStringLiteral("Quenwick");
}

UiServices::Answer DesktopUiServices::askYesNoCancel(QWidget* parent, const QString& text)
{
    const auto b = QMessageBox::question(parent, kCaption, text,
                                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                         QMessageBox::Yes);
    if (b == QMessageBox::Yes)
        return Answer::Yes;
    if (b == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

bool DesktopUiServices::askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

int DesktopUiServices::askChoice(QWidget* parent, const QString& text, const QStringList& buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(kCaption);
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    QList<QPushButton*> made;
    for (const QString& caption : buttons)
        made << box.addButton(caption, QMessageBox::AcceptRole);
    if (!made.isEmpty())
        box.setDefaultButton(made.constFirst());
    box.exec();
    return static_cast<int>(made.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
}

void DesktopUiServices::notify(QWidget* parent, Icon icon, const QString& text)
{
    QMessageBox box(parent);
    box.setWindowTitle(kCaption);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const QString& caption,
                                            const QString& folder, const QString& filter)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption, folder, filter);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    return dialog;
}

QString DesktopUiServices::openFileName(QWidget* parent, const QString& caption,
                                        const QString& filter, const QString& folder)
{
    const std::unique_ptr<QFileDialog> dialog = makeFileDialog(parent, caption, folder, filter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

namespace {
// Hides the files this user may not run; folders stay, to walk through.
class ProgramsOnly : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || (info.isFile() && info.isExecutable());
    }
};
} // namespace

QString DesktopUiServices::existingFolder(QWidget* parent, const QString& caption,
                                          const QString& folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

QString DesktopUiServices::openProgramFileName(QWidget* parent, const QString& caption,
                                               const QString& folder)
{
    const std::unique_ptr<QFileDialog> dialog =
        makeFileDialog(parent, caption, folder, QStringLiteral("Programy (*)"));
    // The filtering model needs the dialog drawn by Qt itself.
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setProxyModel(new ProgramsOnly(dialog.get()));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

QString DesktopUiServices::saveFileName(QWidget* parent, const QString& folder,
                                        const QString& proposed, const QString& filter,
                                        const QString& defaultSuffix)
{
    const std::unique_ptr<QFileDialog> dialog = makeFileDialog(parent, QString(), folder, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setDefaultSuffix(defaultSuffix);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->selectFile(proposed);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

std::optional<QString> DesktopUiServices::inputText(QWidget* parent, const QString& title,
                                                    const QString& prompt, const QString& initial)
{
    const std::unique_ptr<QInputDialog> dialog = makeInputDialog(parent, title, prompt, initial);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

std::unique_ptr<QInputDialog> makeInputDialog(QWidget* parent, const QString& title,
                                              const QString& prompt, const QString& initial)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(title);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setLabelText(prompt);
    dialog->setTextValue(initial);
    return dialog;
}

std::optional<QColor> DesktopUiServices::pickColor(QWidget* parent, const QColor& initial)
{
    const QColor picked = QColorDialog::getColor(initial, parent);
    return picked.isValid() ? std::optional<QColor>(picked) : std::nullopt;
}

QString DesktopUiServices::openPictureFileName(QWidget* parent, const QString& caption,
                                               const QString& filter, const QString& folder)
{
    const std::unique_ptr<QFileDialog> dialog =
        createPictureFileDialog(parent, caption, filter, folder);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

std::unique_ptr<QPrintDialog> makePrintDialog(QWidget* parent, QPrinter& printer,
                                              UiServices::PrintDialogPurpose purpose)
{
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    // The whole document is always printed, so no page range is offered.
    dialog->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (purpose == UiServices::PrintDialogPurpose::Setup) {
        dialog->setWindowTitle(QStringLiteral("Nastavení tisku"));
        // The dialog's own button says it prints; here it only keeps the
        // choice.
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        }
    }
    // The toolkit's "..." beside the output file says nothing to a screen
    // reader; it chooses the file.
    for (QToolButton* browse : dialog->findChildren<QToolButton*>()) {
        if (browse->text() == QStringLiteral("...") && browse->toolTip().isEmpty()) {
            browse->setToolTip(QStringLiteral("Vybrat soubor"));
            browse->setAccessibleName(QStringLiteral("Vybrat soubor"));
        }
    }
    return dialog;
}

bool DesktopUiServices::setupPrinter(QWidget* parent, QPrinter& printer, PrintDialogPurpose purpose)
{
    return makePrintDialog(parent, printer, purpose)->exec() == QDialog::Accepted;
}

} // namespace qw
