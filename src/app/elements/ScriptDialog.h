#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The script dialog: a SCRIPT element around the selection, or the start tag
// being edited.
class ScriptDialog : public ElementDialog
{
    Q_OBJECT
public:
    ScriptDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit skript"); }
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("script"); }
};

} // namespace qw
