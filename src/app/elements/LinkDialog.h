#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The link dialog: the start tag of an A element and, when inserting, the
// link text it wraps.
class LinkDialog : public ElementDialog
{
    Q_OBJECT
public:
    LinkDialog(ElementDialogContext& context, QWidget* parent);

    // Insert on the source page: the selected text becomes the link text and
    // the link-text group is shown.
    void prepareInsert(const QString& selectedText);
    // The edit-tag command hides the link-text group.
    void applyEditTagSetup(const EditTagTarget& target) override;
    void prepareToShow() override;
    // The design page's openers: the link text is the design document's and
    // its group is hidden.
    void prepareDesign(const QString& activeText);

protected:
    QString elementName() const override { return QStringLiteral("a"); }
    QString insertContent(EditorWidget& editor) const override;
    QStringList designUntouched() const override { return {QStringLiteral("TITLE")}; }
    void browseCustom(const FieldDef& def) override;

private:
    void setLinkTextShown(bool shown);
};

} // namespace qw
