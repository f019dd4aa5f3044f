#pragma once

#include "app/dialogs/SearchDialog.h"

class QRadioButton;

namespace qw {

// The find dialog ("Najít"): the search text, the direction (down at first),
// match case and whole words (both off at first).
class FindDialog : public SearchDialog
{
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    FindOptions options() const override;

private:
    QRadioButton* m_down = nullptr;
};

} // namespace qw
