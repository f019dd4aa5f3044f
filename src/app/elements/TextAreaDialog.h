#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The text area dialog: a TEXTAREA element on its first page, a SELECT
// element with generated options on its second. OK acts on the page shown.
// The openers show one page and hide the other.
class TextAreaDialog : public ElementDialog
{
    Q_OBJECT
public:
    TextAreaDialog(ElementDialogContext& context, QWidget* parent);

    enum class Page { TextArea, Select };
    static QString textAreaCaption() { return QStringLiteral("TextArea"); }
    static QString selectCaption() { return QStringLiteral("Select"); }

    Page page() const;
    // Insert openers: the editor's selected text goes into the text field;
    // the page is shown, the other hidden.
    void prepareInsert(Page page, const QString& selectedText);
    // Edit openers: TEXTAREA hides the "Text" group, SELECT the option count.
    void applyEditTagSetup(const EditTagTarget& target) override;
    void prepareToShow() override;

protected:
    QString elementName() const override;
    QString insertContent(EditorWidget& editor) const override;
    QList<AttributeValue> okValues() const override;
    void writeToSource(EditorWidget& editor) override;

private:
    void showPage(Page page);
    void setCountShown(bool shown);
};

} // namespace qw
