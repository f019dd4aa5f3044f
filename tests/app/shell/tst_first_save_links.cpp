// A picture put into a new document with "Vložit obrázek" before the
// document has a file: its address is absolute, and the first save makes
// it relative to the new file, as one undo step, while an address the
// person typed stays as typed. A real window, keys to the focused widget,
// the picture dialog's browse button clicked; the file dialogs scripted.

#include "app/editor/ScintillaEditor.h"
#include "app/elements/ElementDialogs.h"
#include "app/elements/ImageDialog.h"
#include "app/shell/AppContext.h"
#include "app/shell/DocumentManager.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;
using qw::test::FakeUiServices;
using qw::test::fileBytes;

namespace {

struct Session
{
    qw::test::TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 700);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    QWidget* focus() const
    {
        QWidget* target = QApplication::focusWidget();
        return target != nullptr ? target : window.get();
    }
};

} // namespace

class FirstSaveLinksTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void anInsertedPictureBecomesRelativeAtTheFirstSave();
};

void FirstSaveLinksTest::anInsertedPictureBecomesRelativeAtTheFirstSave()
{
    Session s;
    // The temporary folder has capitals, which the link lower-cases: the
    // address written before the save names no file on this system.
    const QString site = s.inst.path(u"Site"_s);
    QVERIFY(QDir().mkpath(site));
    const QString picture = site + u"/Pic.png"_s;
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(picture));
    const QString typed = site + u"/typed.png"_s;

    s.editor().setText(QString());
    s.editor().setFocus();
    QTest::keyClicks(s.focus(), u"<img src=\""_s + typed + u"\">"_s);

    s.ui.openFileNames << picture;
    const QString absolute = picture.toLower();
    s.window->elementDialogs().setShowHook([&](QDialog& d) {
        auto& dialog = static_cast<ImageDialog&>(d);
        QToolButton* browse = dialog.browseButton(u"cmbImage");
        QVERIFY(browse != nullptr);
        QTest::mouseClick(browse, Qt::LeftButton);
        // No folder yet: the address can only be absolute.
        QCOMPARE(dialog.fieldText(u"cmbImage"), absolute);
        QVERIFY(dialog.runOk());
    });
    QVERIFY(qw::test::runMenuCommand(*s.window, "tag.image"));
    const QString before = s.editor().text();
    QVERIFY2(before.contains(u"src=\""_s + absolute + u'"'), qPrintable(before));

    const QString page = site + u"/index.html"_s;
    s.ui.saveFileNames << page;
    QTest::keyClick(s.focus(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(s.ui.saveRequests.size(), 1);
    const QString expected =
        u"<img src=\""_s + typed + u"\"><img src=\"pic.png\" width=\"7\" height=\"5\">"_s;
    QCOMPARE(s.editor().text(), expected);
    QCOMPARE(fileBytes(page), expected.toUtf8());
    QVERIFY(!s.editor().isModified());

    // The rewrite was one step: one undo gives the addresses back.
    QTest::keyClick(s.focus(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.editor().text(), before);
    QVERIFY(s.ui.notices.isEmpty());
    QVERIFY(s.ui.allAnswersUsed());
}

QTEST_MAIN(FirstSaveLinksTest)
#include "tst_first_save_links.moc"
