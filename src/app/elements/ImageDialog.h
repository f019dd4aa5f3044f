#pragma once

#include "app/elements/ElementDialog.h"

#include <QSize>

class QLabel;
class QMenu;
class QScrollArea;

namespace qw {

// The image dialog: an IMG start tag, with a preview of the picture and the
// size presets 50 %, 100 % and 200 % in the preview's pop-up menu.
class ImageDialog : public ElementDialog
{
    Q_OBJECT
public:
    ImageDialog(ElementDialogContext& context, QWidget* parent);

    void prepareToShow() override;

    // The preview's size presets (the pop-up menu's entries call these).
    void applySizePreset(int percent);
    QSize naturalSize() const { return m_natural; }
    QLabel* preview() const { return m_preview; }
    QMenu* presetMenu() const { return m_presets; }

    void done(int result) override;

protected:
    QString elementName() const override { return QStringLiteral("img"); }
    ElementOutput insertOutput() const override { return ElementOutput::StartTag; }
    bool validate() override;
    QStringList designWholeNumbers() const override
    {
        return {QStringLiteral("WIDTH"), QStringLiteral("HEIGHT")};
    }
    void browsed(const FieldDef& def, const QString& fullPath) override;

private:
    // Loads the picture into the preview at its natural size; false when it
    // cannot be shown (the preview is then empty).
    bool showPicture(const QString& path);
    void clearPreview();

    QLabel* m_preview = nullptr;
    QScrollArea* m_scroll = nullptr;
    QMenu* m_presets = nullptr;
    QImage m_picture;
    QSize m_natural;
};

} // namespace qw
