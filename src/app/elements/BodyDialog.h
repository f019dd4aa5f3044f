#pragma once

#include "app/elements/ElementDialog.h"

#include <QImage>

class QFrame;
class QLabel;

namespace qw {

// The body dialog: the BODY start tag (background picture, colours, margins)
// with a small preview of the chosen colours.
class BodyDialog : public ElementDialog
{
    Q_OBJECT
public:
    BodyDialog(ElementDialogContext& context, QWidget* parent);

    void prepareToShow() override;

    QFrame* preview() const { return m_preview; }
    // The preview's label for a colour field ("ColorCombo2" .. "ColorCombo5").
    QLabel* previewLabel(QStringView colorField) const;
    bool previewHasPicture() const { return !m_picture.isNull(); }

protected:
    QString elementName() const override { return QStringLiteral("body"); }
    // The design document's body in either mode.
    bool writeToDesign(DesignDocument& document) override;
    void browsed(const FieldDef& def, const QString& fullPath) override;

private:
    void recolour();
    void setPicture(const QImage& picture);

    QFrame* m_preview = nullptr;
    QList<QLabel*> m_labels; // text, link, active link, visited link
    QImage m_picture;
};

} // namespace qw
