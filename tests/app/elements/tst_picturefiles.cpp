// The picture file dialog of every picture browse: the filter the image
// dialog's browse button offers lists today's pictures (PNG, WebP, SVG, AVIF
// beside GIF and JPEG) in the real dialog, and its preview shows every
// picture kind Qt can read here.

#include "app/elements/ElementDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/services/ActionRegistry.h"
#include "app/services/PictureFileDialog.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;
using namespace qw;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The filter the image dialog's "Otevřít obrázek" button offers, clicked as
// a person clicks it in the shown dialog (the open dialog is scripted).
QString offeredPictureFilter()
{
    test::TestInstallation inst;
    test::FakeUiServices ui;
    std::unique_ptr<AppContext> context = inst.context(ui);
    MainWindow window(*context);
    window.show();
    window.openStartFile(QString());
    window.elementDialogs().setShowHook([](QDialog& d) {
        d.show();
        auto& image = static_cast<ImageDialog&>(d);
        QToolButton* open = image.browseButton(u"cmbImage");
        if (open == nullptr || open->toolTip() != u"Otevřít obrázek"_s)
            qFatal("no picture browse button");
        QTest::mouseClick(open, Qt::LeftButton);
        d.reject();
    });
    const QList<QAction*> places = window.commands().actions(u"tag.image"_s);
    if (places.isEmpty())
        qFatal("no image command");
    places.constFirst()->trigger();
    if (ui.pictureDialogs != 1 || ui.openFilters.size() != 1)
        qFatal("the picture dialog was not asked for");
    return ui.openFilters.constFirst();
}

// The files the dialog lists in its folder under its current filter.
QStringList listedFiles(const QFileDialog& dialog)
{
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr)
        return {u"<no model>"_s};
    const QModelIndex folder = model->index(dialog.directory().absolutePath());
    QStringList names;
    for (int row = 0; row < model->rowCount(folder); ++row) {
        const QModelIndex entry = model->index(row, 0, folder);
        if (!model->isDir(entry) && model->flags(entry).testFlag(Qt::ItemIsEnabled))
            names << model->fileName(entry);
    }
    names.sort();
    return names;
}

QByteArray pictureBytes(const QByteArray& format, QSize size)
{
    if (format == "svg") {
        return u"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\">"
               "<rect width=\"%1\" height=\"%2\" fill=\"green\"/></svg>"_s.arg(size.width())
                   .arg(size.height())
                   .toUtf8();
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}

} // namespace

class PictureFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filterListsTodaysPictures_data();
    void filterListsTodaysPictures();
    void previewShowsEveryKindQtReads();
};

void PictureFilesTest::filterListsTodaysPictures_data()
{
    QTest::addColumn<QString>("filterName");
    QTest::addColumn<QStringList>("listed");
    const QStringList pictures = {u"pic.avif"_s, u"pic.gif"_s, u"pic.jpeg"_s, u"pic.jpg"_s,
                                  u"pic.png"_s,  u"pic.svg"_s, u"pic.webp"_s, u"PES.PNG"_s};
    QStringList everything = pictures + QStringList{u"pic.txt"_s, u"bez přípony"_s};
    everything.sort();
    QStringList sortedPictures = pictures;
    sortedPictures.sort();
    QTest::newRow("all pictures")
        << u"Všechny grafické soubory (*.gif;*.jpg;*.jpeg;*.png;*.webp;*.svg;*.avif)"_s
        << sortedPictures;
    QTest::newRow("GIF") << u"GIF soubory (*.gif)"_s << QStringList{u"pic.gif"_s};
    QTest::newRow("JPE") << u"JPE soubory (*.jpg)"_s << QStringList{u"pic.jpg"_s};
    QTest::newRow("JPEG") << u"JPEG soubory (*.jpeg)"_s << QStringList{u"pic.jpeg"_s};
    QTest::newRow("PNG") << u"PNG soubory (*.png)"_s << QStringList{u"PES.PNG"_s, u"pic.png"_s};
    QTest::newRow("WebP") << u"WebP soubory (*.webp)"_s << QStringList{u"pic.webp"_s};
    QTest::newRow("SVG") << u"SVG soubory (*.svg)"_s << QStringList{u"pic.svg"_s};
    QTest::newRow("AVIF") << u"AVIF soubory (*.avif)"_s << QStringList{u"pic.avif"_s};
    QTest::newRow("every file") << u"Všechny soubory (*)"_s << everything;
}

void PictureFilesTest::filterListsTodaysPictures()
{
    QFETCH(QString, filterName);
    QFETCH(QStringList, listed);
    const QString filter = offeredPictureFilter();
    // The first entry is the one the dialog opens with.
    QVERIFY(filter.startsWith(u"Všechny grafické soubory ("_s));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& name :
         {u"pic.avif"_s, u"pic.gif"_s, u"pic.jpeg"_s, u"pic.jpg"_s, u"pic.png"_s, u"pic.svg"_s,
          u"pic.webp"_s, u"PES.PNG"_s, u"pic.txt"_s, u"bez přípony"_s})
        writeFile(dir.filePath(name), "x");

    const std::unique_ptr<QFileDialog> dialog =
        createPictureFileDialog(nullptr, u"Otevřít obrázek"_s, filter, dir.path());
    QStringList names;
    for (const QString& entry : dialog->nameFilters())
        names << entry.left(entry.lastIndexOf(u" ("_s));
    QVERIFY2(dialog->nameFilters().contains(filterName) || names.contains(filterName),
             qPrintable(dialog->nameFilters().join(u" | "_s)));
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    const qsizetype index = dialog->nameFilters().contains(filterName)
                                ? dialog->nameFilters().indexOf(filterName)
                                : names.indexOf(filterName);
    dialog->selectNameFilter(dialog->nameFilters().at(index));
    QTRY_COMPARE(listedFiles(*dialog), listed);
    dialog->reject();
}

// Every picture kind of the filter that this Qt reads shows in the preview at
// its size; PNG, WebP and SVG are always among them (the image format
// plugins are part of the installation).
void PictureFilesTest::previewShowsEveryKindQtReads()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    PicturePreview preview;
    preview.resize(240, 240);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    const QSize size(37, 23);
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QList<QByteArray> shown;
    for (const QByteArray& format : {QByteArray("gif"), QByteArray("png"), QByteArray("webp"),
                                     QByteArray("svg"), QByteArray("avif")}) {
        if (!readable.contains(format))
            continue;
        const QByteArray bytes = pictureBytes(format, size);
        if (bytes.isEmpty())
            continue; // read here, but not written (GIF)
        const QString path = dir.filePath(u"pic."_s + QString::fromLatin1(format));
        writeFile(path, bytes);
        preview.clear();
        preview.showFile(path);
        QVERIFY2(preview.hasPicture(), format.constData());
        QCOMPARE(preview.pictureSize(), size);
        QCOMPARE(preview.pictureLabel()->pixmap().size(), size);
        shown << format;
    }
    for (const char* required : {"png", "webp", "svg"})
        QVERIFY2(shown.contains(required), required);
}

QTEST_MAIN(PictureFilesTest)

#include "tst_picturefiles.moc"
