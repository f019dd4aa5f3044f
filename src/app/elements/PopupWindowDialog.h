#pragma once

#include "app/elements/ElementDialog.h"
#include "core/builders/PopupWindowScript.h"

namespace qw {

// The pop-up window dialog: a small SCRIPT block that opens a browser window
// with the chosen features, put in front of the selection. Its fields are
// bound to no attribute; it keeps them when it closes (its opener empties
// them).
class PopupWindowDialog : public ElementDialog
{
    Q_OBJECT
public:
    PopupWindowDialog(ElementDialogContext& context, QWidget* parent);

    static QString caption() { return QStringLiteral("Otevřít okno"); }
    PopupWindowOptions options() const;
    void prepareToShow() override;

protected:
    void writeToSource(EditorWidget& editor) override;
    bool clearsOnClose() const override { return false; }
};

} // namespace qw
