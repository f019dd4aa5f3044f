#pragma once

#include "app/elements/ElementDialog.h"
#include "core/builders/NewPage.h"

namespace qw {

// The new-page wizard: the skeleton of a whole page, into a new document or
// in place of the selection. It keeps its values from one use to the next.
class NewPageDialog : public ElementDialog
{
    Q_OBJECT
public:
    NewPageDialog(ElementDialogContext& context, QWidget* parent);

    NewPageOptions options() const;

protected:
    void writeToSource(EditorWidget& editor) override;
    bool clearsOnClose() const override { return false; }
};

} // namespace qw
