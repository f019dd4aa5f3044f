#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The horizontal rule dialog: an HR start tag (the element has no end tag)
// in place of the selection, or of the HR tag being edited.
class LineDialog : public ElementDialog
{
    Q_OBJECT
public:
    LineDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit vodorovnou čáru"); }

protected:
    QString elementName() const override { return QStringLiteral("hr"); }
    ElementOutput insertOutput() const override { return ElementOutput::StartTag; }
};

} // namespace qw
