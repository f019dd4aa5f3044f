#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The applet dialog: an APPLET element around the selection, or the start tag
// being edited. Its two browse buttons put their own filters on the shared
// file dialog.
class AppletDialog : public ElementDialog
{
    Q_OBJECT
public:
    AppletDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit aplet"); }
    // Editing names what it does, like every other dialog's edit caption.
    static QString editCaption() { return QStringLiteral("Upravit aplet"); }

    void applyEditTagSetup(const EditTagTarget& target) override;
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("applet"); }
    void browseCustom(const FieldDef& def) override;
};

} // namespace qw
