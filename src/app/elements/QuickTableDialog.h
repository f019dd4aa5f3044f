#pragma once

#include "app/elements/ElementDialog.h"
#include "core/builders/QuickTable.h"

namespace qw {

// The quick table: a whole grid of empty cells in one step. Its values stay
// from one use to the next; it binds, colours and clears nothing.
class QuickTableDialog : public ElementDialog
{
    Q_OBJECT
public:
    QuickTableDialog(ElementDialogContext& context, QWidget* parent);

    QuickTableOptions options() const;

protected:
    ElementWriteRequest request(EditorWidget& editor) const override;
    bool clearsOnClose() const override { return false; }
    // The table through the document's own insertion, when it can insert one.
    bool writeToDesign(DesignDocument& document) override;
};

} // namespace qw
