#include "app/elements/BodyDialog.h"

#include "app/services/ColorCombo.h"
#include "app/services/PictureLoader.h"
#include "core/elements/PicturePath.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QVBoxLayout>

namespace qw {

namespace {

struct PreviewPart
{
    const char* field;
    const char* label; // the preview's text; null for the background
    QRgb fallback;     // the colour shown while the field says "Žádná"
};

// ColorCombo1 colours the background; its fallback is the dialog face.
constexpr PreviewPart kLabels[] = {
    {"ColorCombo2", "Barva textu:", qRgb(0, 0, 0)},
    {"ColorCombo3", "Barva odkazů:", qRgb(0, 0, 255)},
    {"ColorCombo4", "Aktivní odkaz", qRgb(128, 0, 128)},
    {"ColorCombo5", "Navštívený odkaz", qRgb(255, 0, 0)},
};

// The preview's background picture, tiled behind its labels as a page shows it.
class PreviewFrame : public QFrame
{
public:
    using QFrame::QFrame;
    QImage picture;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!picture.isNull()) {
            QPainter painter(this);
            painter.drawTiledPixmap(rect(), QPixmap::fromImage(picture));
        }
        QFrame::paintEvent(event);
    }
};

} // namespace

BodyDialog::BodyDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Tělo dokumentu"), parent)
{
    auto color = [](const char* name, const char* label, const char* attribute) {
        return FieldDef{.name = QString::fromLatin1(name),
                        .label = QString::fromUtf8(label),
                        .kind = FieldKind::Color,
                        .attribute = QString::fromLatin1(attribute)};
    };
    buildFields({
        {.name = QStringLiteral("cmbBackground"),
         .label = QStringLiteral("Obrázek na pozadí:"),
         .kind = FieldKind::Combo,
         .attribute = QStringLiteral("BACKGROUND"),
         .focus = FocusExit::White,
         .browse = BrowseKind::Picture,
         .browseHint = QStringLiteral("Otevřít obrázek"),
         .browseName = QStringLiteral("SpeedButton1")},
        color("ColorCombo1", "Pozadí:", "BGCOLOR"),
        color("ColorCombo2", "Text:", "TEXT"),
        color("ColorCombo3", "Odkaz:", "LINK"),
        color("ColorCombo4", "Aktivní odkaz:", "ALINK"),
        color("ColorCombo5", "Navštívený odkaz:", "VLINK"),
        {.name = QStringLiteral("edLeftMargin"),
         .label = QStringLiteral("Levý okraj:"),
         .attribute = QStringLiteral("LEFTMARGIN"),
         .focus = FocusExit::White},
        {.name = QStringLiteral("edTopMargin"),
         .label = QStringLiteral("Horní okraj:"),
         .attribute = QStringLiteral("TOPMARGIN"),
         .focus = FocusExit::White},
    });
    setOkOrder({QStringLiteral("cmbBackground"), QStringLiteral("ColorCombo1"),
                QStringLiteral("ColorCombo2"), QStringLiteral("ColorCombo3"),
                QStringLiteral("ColorCombo4"), QStringLiteral("ColorCombo5"),
                QStringLiteral("edLeftMargin"), QStringLiteral("edTopMargin")});

    auto* frame = new PreviewFrame(this);
    m_preview = frame;
    m_preview->setObjectName(QStringLiteral("pnlPreview"));
    m_preview->setAccessibleName(QStringLiteral("Náhled barev"));
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setAutoFillBackground(true);
    m_preview->setMinimumSize(180, 110);
    auto* previewLayout = new QVBoxLayout(m_preview);
    for (const PreviewPart& part : kLabels) {
        auto* label = new QLabel(QString::fromUtf8(part.label), m_preview);
        m_labels.append(label);
        previewLayout->addWidget(label);
    }
    contentLayout()->addWidget(m_preview);
    // The preview follows every change of a colour field, chosen by the user
    // or filled in from a tag.
    for (const char* name :
         {"ColorCombo1", "ColorCombo2", "ColorCombo3", "ColorCombo4", "ColorCombo5"}) {
        connect(colorField(QString::fromLatin1(name)), &ColorCombo::valueChanged, this,
                &BodyDialog::recolour);
    }
    recolour();
}

QLabel* BodyDialog::previewLabel(QStringView colorField) const
{
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        if (colorField == QLatin1StringView(kLabels[i].field))
            return m_labels[i];
    }
    return nullptr;
}

void BodyDialog::recolour()
{
    const QColor background = colorField(u"ColorCombo1")->color();
    QPalette p = m_preview->palette();
    p.setColor(QPalette::Window,
               background.isValid() ? background : QApplication::palette().color(QPalette::Window));
    m_preview->setPalette(p);
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        const QColor c = colorField(QString::fromLatin1(kLabels[i].field))->color();
        QPalette lp = m_labels[i]->palette();
        lp.setColor(QPalette::WindowText, c.isValid() ? c : QColor(kLabels[i].fallback));
        m_labels[i]->setPalette(lp);
    }
}

void BodyDialog::setPicture(const QImage& picture)
{
    m_picture = picture;
    static_cast<PreviewFrame*>(m_preview)->picture = picture;
    m_preview->update();
}

void BodyDialog::prepareToShow()
{
    ElementDialog::prepareToShow();
    recolour();
    setPicture(loadPicture(
        picturePreviewPath(fieldText(u"cmbBackground"),
                           context().documentPath ? context().documentPath() : QString())));
}

void BodyDialog::browsed(const FieldDef& def, const QString& fullPath)
{
    if (def.name == u"cmbBackground")
        setPicture(loadPicture(fullPath));
}

bool BodyDialog::writeToDesign(DesignDocument& document)
{
    const std::optional<DesignAttributeChanges> changes = designChanges();
    if (!changes)
        return false;
    document.changeBody(*changes);
    return true;
}

} // namespace qw
