#pragma once

#include "core/usertags/UserTagStore.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qw {

class UiServices;

// The dialog "Vlastní tag": a user tag's name, start text and end text. In
// new mode OK writes a new user tag into the target group; in edit mode it
// saves the edited one, renaming its files when the name changed. A name
// that cannot be a file name is refused with a message before anything is
// written, and any failure keeps the dialog open. Closing it by any way
// returns it to new mode with empty fields.
class UserTagDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { New, Edit };

    UserTagDialog(UserTagStore& store, UiServices& ui, QWidget* parent = nullptr);

    // Prepares new mode for a user tag of group.
    void prepareNew(const QString& group);
    // Prepares edit mode for the user tag name of group, filled from the disk.
    void prepareEdit(const QString& group, const QString& name);

    Mode mode() const { return m_mode; }
    const QString& group() const { return m_group; }

    QLineEdit* nameField() const { return m_name; }
    QPlainTextEdit* startField() const { return m_start; }
    QPlainTextEdit* endField() const { return m_end; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

    // "OK": writes and closes; on a refused name or a failed write it shows
    // the message and stays open. True when the user tag was written.
    bool commit();

    void done(int result) override;

signals:
    // A user tag was written: a new one (oldName empty) or an edited one.
    void saved(const QString& group, const QString& oldName, const QString& newName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reset();

    UserTagStore& m_store;
    UiServices& m_ui;
    Mode m_mode = Mode::New;
    QString m_group;
    QString m_oldName;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_start = nullptr;
    QPlainTextEdit* m_end = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace qw
