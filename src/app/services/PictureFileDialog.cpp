#include "app/services/PictureFileDialog.h"

#include "app/services/PictureLoader.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QResizeEvent>
#include <QSplitter>
#include <QVBoxLayout>

namespace qw {

namespace {
const QString kPreviewName = QStringLiteral("PicturePreview");
} // namespace

PicturePreview::PicturePreview(QWidget* parent) : QFrame(parent)
{
    setObjectName(kPreviewName);
    setAccessibleName(QStringLiteral("Náhled obrázku"));
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(180, 180);
    auto* layout = new QVBoxLayout(this);
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setMinimumSize(1, 1);
    m_image->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_size = new QLabel(this);
    m_size->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_image, 1);
    layout->addWidget(m_size);
}

void PicturePreview::showFile(const QString& path)
{
    // A folder under the cursor is no picture; loadPicture refuses what it
    // cannot read without a message.
    m_picture = QFileInfo(path).isFile() ? loadPicture(path) : QImage();
    if (m_picture.isNull()) {
        clear();
        return;
    }
    m_size->setText(QStringLiteral("%1 × %2").arg(m_picture.width()).arg(m_picture.height()));
    fit();
}

void PicturePreview::clear()
{
    m_picture = QImage();
    m_image->clear();
    m_size->clear();
}

void PicturePreview::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    fit();
}

void PicturePreview::fit()
{
    if (m_picture.isNull())
        return;
    const QSize room = m_image->size().boundedTo(m_picture.size());
    if (room.isEmpty())
        return;
    // Small pictures keep their size; large ones shrink, never grow.
    m_image->setPixmap(QPixmap::fromImage(
        m_picture.size() == room
            ? m_picture
            : m_picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

std::unique_ptr<QFileDialog> createPictureFileDialog(QWidget* parent, const QString& caption,
                                                     const QString& filter, const QString& folder)
{
    auto dialog = std::make_unique<QFileDialog>(parent, caption, folder, filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    auto* preview = new PicturePreview(dialog.get());
    // Beside the list, as the third pane of the dialog's own splitter; should a
    // Qt lay its dialog out otherwise, in a column of its own at the right.
    if (auto* splitter = dialog->findChild<QSplitter*>(QStringLiteral("splitter"))) {
        splitter->addWidget(preview);
        splitter->setStretchFactor(splitter->indexOf(preview), 0);
    } else if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout())) {
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    }
    QObject::connect(dialog.get(), &QFileDialog::currentChanged, preview,
                     &PicturePreview::showFile);
    dialog->resize(dialog->sizeHint().width() + preview->minimumWidth(),
                   dialog->sizeHint().height());
    return dialog;
}

PicturePreview* picturePreviewOf(const QFileDialog& dialog)
{
    return dialog.findChild<PicturePreview*>(kPreviewName);
}

} // namespace qw
