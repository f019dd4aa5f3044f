#pragma once

#include "core/spelling/SpellScan.h"

#include <QDialog>
#include <QPointer>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qw {

class ScintillaEditor;
class Speller;
class UiServices;

// "Kontrola pravopisu": walks the misspelt words of a document from its
// start, one at a time, each selected in the editor. Modeless, so the
// person may edit the text meanwhile; a replacement is one undo step.
class SpellCheckDialog : public QDialog
{
    Q_OBJECT
public:
    SpellCheckDialog(Speller& speller, UiServices& ui, QWidget* parent = nullptr);

    // Shows the dialog on the first misspelt word of `editor`.
    void start(ScintillaEditor* editor);

    // The word shown, if any (empty when the pass is done).
    QString currentWord() const;
    QLineEdit* replacementField() const { return m_replacement; }
    QListWidget* suggestionList() const { return m_suggestions; }
    QPushButton* replaceButton() const { return m_replace; }
    QPushButton* replaceAllButton() const { return m_replaceAll; }
    QPushButton* skipButton() const { return m_skip; }
    QPushButton* addButton() const { return m_add; }
    QLabel* statusLabel() const { return m_status; }

private:
    void findNext();
    void show(const SpellWord& word);
    void replace();
    void replaceAll();
    void skip();
    void addToList();

    Speller& m_speller;
    UiServices& m_ui;
    QPointer<ScintillaEditor> m_editor;
    std::optional<SpellWord> m_word;
    long m_next = 0;
    QLineEdit* m_wordField = nullptr;
    QLineEdit* m_replacement = nullptr;
    QListWidget* m_suggestions = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_replaceAll = nullptr;
    QPushButton* m_skip = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_close = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace qw
