#include "app/elements/ImageDialog.h"

#include "app/services/PictureLoader.h"
#include "app/services/UiServices.h"
#include "core/elements/PicturePath.h"

#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QScrollArea>
#include <QTabWidget>

namespace qw {

namespace {
const QString kSettingsPage = QStringLiteral("Nastavení");
const QString kOptionsPage = QStringLiteral("Možnosti");
const QString kOpenPicture = QStringLiteral("Otevřít obrázek");
} // namespace

ImageDialog::ImageDialog(ElementDialogContext& context, QWidget* parent)
    : ElementDialog(context, QStringLiteral("Obrázek"), parent)
{
    auto row = [](const char* name, const char* label, FieldKind kind, const char* attribute,
                  const QString& page, FocusExit exit) {
        FieldDef def;
        def.name = QString::fromLatin1(name);
        def.label = QString::fromUtf8(label);
        def.kind = kind;
        def.attribute = QString::fromLatin1(attribute);
        def.page = page;
        def.focus = exit;
        return def;
    };
    FieldDef image =
        row("cmbImage", "Src:", FieldKind::Combo, "SRC", kSettingsPage, FocusExit::White);
    image.browse = BrowseKind::Picture;
    image.browseHint = kOpenPicture;
    image.browseName = QStringLiteral("btnOpen");
    FieldDef align =
        row("cmbAlign", "Zarovnání:", FieldKind::Combo, "ALIGN", kSettingsPage, FocusExit::White);
    align.items = {QString(),
                   QStringLiteral("left"),
                   QStringLiteral("right"),
                   QStringLiteral("middle"),
                   QStringLiteral("top"),
                   QStringLiteral("bottom")};
    FieldDef dynSrc =
        row("cmbDynSrc", "Dyn Src:", FieldKind::Combo, "DYNSRC", kOptionsPage, FocusExit::Window);
    dynSrc.browse = BrowseKind::Picture;
    dynSrc.browseHint = kOpenPicture;
    dynSrc.browseName = QStringLiteral("btnDynSrc");
    FieldDef start =
        row("cmbStart", "Start:", FieldKind::Combo, "START", kOptionsPage, FocusExit::Window);
    start.items = {QString(), QStringLiteral("fileopen"), QStringLiteral("mouseover"),
                   QStringLiteral("fileopen,mouseover")};
    FieldDef loop =
        row("cmbLoop", "Loop:", FieldKind::Combo, "LOOP", kOptionsPage, FocusExit::Window);
    loop.items = {QString(), QStringLiteral("1"), QStringLiteral("infinite")};
    buildFields({
        image,
        row("edALT", "Alt. text:", FieldKind::Edit, "ALT", kSettingsPage, FocusExit::White),
        row("edWidth", "Šířka:", FieldKind::Edit, "WIDTH", kSettingsPage, FocusExit::White),
        row("edHeight", "Výška:", FieldKind::Edit, "HEIGHT", kSettingsPage, FocusExit::White),
        align,
        row("edBorder", "Okraj:", FieldKind::Edit, "BORDER", kSettingsPage, FocusExit::White),
        dynSrc,
        start,
        loop,
        row("edLoopDelay", "Delay:", FieldKind::Edit, "LOOPDELAY", kOptionsPage, FocusExit::Window),
    });
    setOkOrder({QStringLiteral("cmbImage"), QStringLiteral("edALT"), QStringLiteral("edWidth"),
                QStringLiteral("edHeight"), QStringLiteral("edBorder"), QStringLiteral("cmbAlign"),
                QStringLiteral("cmbDynSrc"), QStringLiteral("cmbStart"), QStringLiteral("cmbLoop"),
                QStringLiteral("edLoopDelay")});

    // The preview lies on the first page below its fields.
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("Image2"));
    m_preview->setAccessibleName(QStringLiteral("Náhled obrázku"));
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_preview->setContextMenuPolicy(Qt::CustomContextMenu);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_preview);
    m_scroll->setMinimumSize(220, 140);
    // Only a picture to look at: Tab goes from the fields to the buttons.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    formOf(QString(), kSettingsPage)->addRow(m_scroll);
    m_presets = new QMenu(this);
    for (int percent : {50, 100, 200}) {
        m_presets->addAction(QStringLiteral("%1%").arg(percent),
                             [this, percent] { applySizePreset(percent); });
    }
    connect(m_preview, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_presets->popup(m_preview->mapToGlobal(at)); });
}

bool ImageDialog::showPicture(const QString& path)
{
    m_picture = loadPicture(path);
    if (m_picture.isNull()) {
        clearPreview();
        return false;
    }
    m_preview->setPixmap(QPixmap::fromImage(m_picture));
    m_preview->resize(m_picture.size());
    return true;
}

void ImageDialog::clearPreview()
{
    m_picture = QImage();
    m_preview->clear();
    m_preview->resize(0, 0);
}

void ImageDialog::prepareToShow()
{
    pages()->setCurrentIndex(0);
    field(u"cmbImage")->setFocus();
    const QString path = picturePreviewPath(
        fieldText(u"cmbImage"), context().documentPath ? context().documentPath() : QString());
    // The presets also work on a picture shown on opening, not only on one
    // picked with the browse button.
    if (showPicture(path))
        m_natural = m_picture.size();
}

void ImageDialog::browsed(const FieldDef& def, const QString& fullPath)
{
    if (def.name != u"cmbImage")
        return;
    if (!showPicture(fullPath))
        return;
    m_natural = m_picture.size();
    setFieldText(u"edWidth", QString::number(m_natural.width()));
    setFieldText(u"edHeight", QString::number(m_natural.height()));
}

void ImageDialog::applySizePreset(int percent)
{
    // Without a known picture size a preset would write a zero size.
    if (m_natural.isEmpty())
        return;
    const QSize size(m_natural.width() * percent / 100, m_natural.height() * percent / 100);
    if (!m_picture.isNull()) {
        m_preview->setPixmap(QPixmap::fromImage(
            m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        m_preview->resize(size);
    }
    setFieldText(u"edWidth", QString::number(size.width()));
    setFieldText(u"edHeight", QString::number(size.height()));
}

bool ImageDialog::validate()
{
    if (fieldText(u"cmbImage").isEmpty() && fieldText(u"cmbDynSrc").isEmpty()) {
        ui().notify(this, UiServices::Icon::Information,
                    QStringLiteral("Prosím vyberte si obrázek!"));
        return false;
    }
    return true;
}

void ImageDialog::done(int result)
{
    clearPreview();
    ElementDialog::done(result);
}

} // namespace qw
