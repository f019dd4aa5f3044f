#pragma once

#include "core/filepanel/FilterList.h"
#include "core/findinfiles/FolderSearch.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qw {

class UiServices;

// "Hledat v souborech" and "Nahradit v souborech": what to find (and what to
// put in its place), where, in which files and how.
class FindInFilesDialog : public QDialog
{
    Q_OBJECT
public:
    FindInFilesDialog(UiServices& ui, QWidget* parent = nullptr);

    // Fills the dialog for one run: replace shows the replacement field;
    // folders are the folders to offer, the first one proposed; filters give
    // the masks' drop-down, the first one's masks proposed unless masks is
    // given.
    void prepare(bool replace, const QStringList& folders, const QList<FileFilterEntry>& filters,
                 const QString& masks);

    SearchQuery query() const;
    FolderSearchOptions options() const;
    bool replaceMode() const { return m_replace; }

    // Why the dialog cannot be confirmed as filled, or empty (in Czech).
    QString problem() const;

    QLineEdit* textField() const { return m_text; }
    QLineEdit* replacementField() const { return m_replacement; }
    QComboBox* folderBox() const { return m_folder; }
    QComboBox* maskBox() const { return m_masks; }
    QPushButton* browseButton() const { return m_browse; }
    QCheckBox* subfoldersBox() const { return m_subfolders; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }
    QCheckBox* wholeWordsBox() const { return m_wholeWords; }
    QCheckBox* regexBox() const { return m_regex; }
    QPushButton* okButton() const { return m_ok; }

    void accept() override;

private:
    void browse();

    UiServices& m_ui;
    bool m_replace = false;
    QLineEdit* m_text = nullptr;
    QLabel* m_replacementLabel = nullptr;
    QLineEdit* m_replacement = nullptr;
    QComboBox* m_folder = nullptr;
    QPushButton* m_browse = nullptr;
    QComboBox* m_masks = nullptr;
    QCheckBox* m_subfolders = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWords = nullptr;
    QCheckBox* m_regex = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace qw
