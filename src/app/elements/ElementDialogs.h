#pragma once

#include "app/elements/ElementDialog.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

namespace qw {

// Owns the element dialogs for the whole run: each is made the first time it
// is asked for and kept, hidden, between uses, so its fields keep their
// values unless the dialog clears them.
//
// A new dialog needs no registration: get<MyDialog>() makes it (its
// constructor takes (ElementDialogContext&, QWidget* parent)). A dialog the
// edit-tag command opens also gets a case in dialogFor().
class ElementDialogs : public QObject
{
    Q_OBJECT
public:
    ElementDialogs(ElementDialogContext context, QWidget* parentWindow);

    template<class T> T& get()
    {
        QDialog*& slot = m_dialogs[&T::staticMetaObject];
        if (slot == nullptr)
            slot = new T(m_context, m_parent);
        return static_cast<T&>(*slot);
    }

    // The dialog of a row of the edit-tag table; null for a dialog that does
    // not exist yet.
    ElementDialog* dialogFor(ElementDialogId id);

    // How an opener prepares a dialog before showing it.
    struct Opening
    {
        ElementMode mode = ElementMode::Insert;
        bool reset = false;
        // The caption to set; none keeps the one the dialog last showed.
        std::optional<QString> caption{};
        // Fill the fields from the window's attribute list.
        bool fill = false;
    };
    // Resets, sets mode and caption, fills, then shows the dialog modally.
    void open(ElementDialog& dialog, const Opening& opening,
              const std::function<void(ElementDialog&)>& setup = {});

    // The edit-tag command once its search picked a row: opens that row's
    // dialog in edit mode with the row's caption and set-up. False when the
    // dialog does not exist yet (nothing opens).
    bool openForEditTag(const EditTagTarget& target);

    // Shows a prepared dialog. By default exec(); tests replace it so that no
    // modal loop ever runs.
    void setShowHook(std::function<void(QDialog&)> hook) { m_show = std::move(hook); }
    void show(QDialog& dialog);

    ElementDialogContext& context() { return m_context; }

private:
    ElementDialogContext m_context;
    QWidget* m_parent;
    QHash<const QMetaObject*, QDialog*> m_dialogs;
    std::function<void(QDialog&)> m_show;
};

} // namespace qw
