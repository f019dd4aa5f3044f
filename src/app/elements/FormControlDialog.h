#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The form control dialog: an INPUT tag of one of ten types, one page per
// type. OK writes TYPE first, then the active page's fields. Every page binds
// its fields to the same attribute names, so filling from a tag fills the
// same-named fields of all pages.
class FormControlDialog : public ElementDialog
{
    Q_OBJECT
public:
    FormControlDialog(ElementDialogContext& context, QWidget* parent);

    static constexpr int kPageCount = 10;

    int page() const;
    // Makes a page (0 checkbox ... 9 image) the active one.
    void setPage(int page);
    // The TYPE value a page writes ("checkbox" ... "image").
    static QString pageType(int page);

    void applyEditTagSetup(const EditTagTarget& target) override;
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("input"); }
    QList<AttributeValue> okValues() const override;
    void writeToSource(EditorWidget& editor) override;

private:
    void focusNameField();
};

} // namespace qw
