#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The form dialog: a FORM element around the selection, or the start tag
// being edited.
class FormDialog : public ElementDialog
{
    Q_OBJECT
public:
    FormDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit formulář"); }
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("form"); }
};

} // namespace qw
