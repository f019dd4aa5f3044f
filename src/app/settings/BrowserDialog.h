#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace qw {

class UiServices;

// "Přidat" / "Upravit": one external browser, a name and the program's path.
// Made once with the settings dialog, so its fields keep what they last held.
class BrowserDialog : public QDialog
{
    Q_OBJECT
public:
    BrowserDialog(UiServices& ui, QWidget* parent = nullptr);

    QLineEdit* nameField() const { return m_name; }
    QLineEdit* pathField() const { return m_path; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Offers the programs on the machine; a chosen one goes into "Cesta :"
    // and, while "Název :" is empty, its file name into "Název :".
    void browse();

private:
    UiServices& m_ui;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace qw
