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
    // The design page's link properties: the link text is the design
    // document's and its group is hidden.
    void prepareDesign(const QString& activeText);
    // Insert on the design page. Around a selection the selected content
    // becomes the link's content and the link-text group is hidden; at a
    // bare caret the group is shown empty for the text the link will show.
    void prepareDesignInsert(bool aroundSelection);

protected:
    QString elementName() const override { return QStringLiteral("a"); }
    QString insertContent(EditorWidget& editor) const override;
    QStringList designUntouched() const override { return {QStringLiteral("TITLE")}; }
    bool writeToDesign(DesignDocument& document) override;
    void browseCustom(const FieldDef& def) override;

private:
    enum class DesignInsert { None, AroundSelection, WithText };

    void setLinkTextShown(bool shown);

    DesignInsert m_designInsert = DesignInsert::None;
};

} // namespace qw
