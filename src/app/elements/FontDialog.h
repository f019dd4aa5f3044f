#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The font dialog: a FONT element around the selection, or the start tag of a
// FONT or (when its caption says so) a BASEFONT tag being edited.
class FontDialog : public ElementDialog
{
    Q_OBJECT
public:
    FontDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Písmo"); }
    static QString baseFontCaption() { return QStringLiteral("Upravit základní font"); }

    // Puts the names of the installed fonts into the face list (every opener
    // does); the face typed or filled stays as it is.
    void fillFontFaces();
    void applyEditTagSetup(const EditTagTarget& target) override;

protected:
    QString elementName() const override;
    // The selection's face, size and colour through the document's commands.
    bool writeToDesign(DesignDocument& document) override;
};

} // namespace qw
