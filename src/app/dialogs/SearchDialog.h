#pragma once

#include "core/editor/FindReplace.h"

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace qw {

// What the find and the replace dialog share: a non-modal window with the
// search text, the match-case and whole-words options, "Najít další" as the
// button that Enter presses and "Zavřít"; Escape closes too. Closing only
// hides the dialog, so its text and options are there at the next showing.
// The dialog searches nothing itself: it asks through its signals and the
// window's search controller reads the text and options.
class SearchDialog : public QDialog
{
    Q_OBJECT
public:
    QString findText() const;
    // The options of the next search; the base searches forward.
    virtual FindOptions options() const;

    // Shows the dialog in front with the search text selected for typing over.
    void present();

Q_SIGNALS:
    void findNextRequested();

protected:
    SearchDialog(const QString& caption, QWidget* parent);

    // A labelled one-line field in the next row of the field grid; the label
    // is its buddy, so its mnemonic focuses the field, and it names the field
    // for accessibility.
    QLineEdit* addField(const QString& label, const QString& objectName);
    // A button in the button column above "Zavřít"; only "Najít další" reacts
    // to Enter. With needsText it is enabled only while there is a search text.
    QPushButton* addButton(const QString& text, const QString& objectName, bool needsText);

    QVBoxLayout* optionsColumn() const { return m_options; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }

private:
    void updateButtons();
    void setTabOrderFromLayout();

    QGridLayout* m_fields = nullptr;
    QVBoxLayout* m_options = nullptr;
    QVBoxLayout* m_buttons = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_wholeWords = nullptr;
    QList<QPushButton*> m_textButtons;
    bool m_tabOrderSet = false;
};

} // namespace qw
