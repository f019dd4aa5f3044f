#pragma once

#include "app/dialogs/SearchDialog.h"

namespace qw {

// The replace dialog ("Nahradit"): the search text, the replacement, match
// case (on at first) and whole words (off at first). It always searches
// down, so it offers no direction.
class ReplaceDialog : public SearchDialog
{
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    QString replaceText() const;

Q_SIGNALS:
    void replaceRequested();
    void replaceAllRequested();

private:
    QLineEdit* m_replaceEdit = nullptr;
};

} // namespace qw
