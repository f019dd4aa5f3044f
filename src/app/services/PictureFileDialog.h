#pragma once

#include <QFrame>
#include <QImage>

#include <memory>

class QFileDialog;
class QLabel;

namespace qw {

// The preview beside the picture file dialog's list: the picture under the
// cursor, scaled down to fit, with its size in pixels below it. JPEG pictures
// go through our own decoder, the others through Qt's readers.
class PicturePreview : public QFrame
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);

    // Shows the picture of the file; a folder, or a missing, broken or
    // unreadable file shows nothing.
    void showFile(const QString& path);
    void clear();

    bool hasPicture() const { return !m_picture.isNull(); }
    // The picture's own size; empty when nothing is shown.
    QSize pictureSize() const { return m_picture.size(); }
    // The picture as drawn (scaled down to fit the preview).
    QLabel* pictureLabel() const { return m_image; }
    QLabel* sizeLabel() const { return m_size; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QLabel* m_image = nullptr;
    QLabel* m_size = nullptr;
    QImage m_picture;
};

// Builds, without running it, the one file dialog every picture browse opens:
// Qt's own dialog (the desktop's cannot hold a preview) for one existing
// file, with the preview beside its list following the current file.
std::unique_ptr<QFileDialog> createPictureFileDialog(QWidget* parent, const QString& caption,
                                                     const QString& filter, const QString& folder);
// The preview of a dialog made by createPictureFileDialog.
PicturePreview* picturePreviewOf(const QFileDialog& dialog);

} // namespace qw
