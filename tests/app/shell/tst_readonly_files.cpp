// Files that are not text, opened in a real window with the keys a person
// presses: the question before opening, and a file opened anyway that no
// Save or Save All rewrites. Every question goes to the scripted
// FakeUiServices.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/DocumentManager.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"
#include "support/WindowCommands.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTabBar>
#include <QTest>

#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;
using qw::test::FakeUiServices;
using qw::test::fileBytes;

namespace {

QString notTextQuestion(const QString& path)
{
    return u"Soubor \"%1\" nevypadá jako textový soubor. Otevřít přesto?"_s.arg(path);
}

// A real picture: its header holds CR LF, a lone LF and NUL bytes, which a
// save of the editor's text would rewrite.
QByteArray pngBytes()
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

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

    DocumentManager& documents() { return window->documents(); }
    // A shortcut as the person presses it: to the widget that has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : window.get(), key, modifiers);
    }
    void open(const QString& path, bool answer)
    {
        ui.openFileNames << path;
        ui.yesNoAnswers << answer;
        press(Qt::Key_O, Qt::ControlModifier);
    }
    QString activeTabText() const
    {
        QTabBar* tabs = window->documents().tabBar();
        return tabs->tabText(tabs->currentIndex());
    }
};

} // namespace

class ReadOnlyFilesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aPictureOpenedAnywayIsNeverRewrittenBySave();
    void anEditedPictureGoesToSaveAsOnly();
    void aFileDeclinedAtTheQuestionIsNotOpened();
};

void ReadOnlyFilesTest::aPictureOpenedAnywayIsNeverRewrittenBySave()
{
    Session s;
    const QByteArray png = pngBytes();
    const QString pic = s.inst.path(u"pic.png"_s);
    writeFile(pic, png);
    // A text page open beside it, edited: Save All still saves that one.
    const QString page = s.inst.path(u"page.html"_s);
    writeFile(page, "<p>a</p>");
    s.ui.openFileNames << page;
    s.press(Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(s.documents().currentPath(), page);
    s.press(Qt::Key_B);

    s.open(pic, true);
    QCOMPARE(s.ui.questions, QStringList({notTextQuestion(pic)}));
    QCOMPARE(s.documents().currentPath(), pic);
    QVERIFY(s.documents().isReadOnlyAt(s.documents().activeIndex()));
    // The person sees that the file is protected.
    QCOMPARE(s.activeTabText(), u"pic.png (jen pro čtení)"_s);
    QCOMPARE(s.window->windowTitle(), u"Quenwick - "_s + pic + u" (jen pro čtení)"_s);

    s.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fileBytes(pic), png);
    QVERIFY(s.ui.saveRequests.isEmpty());
    QVERIFY(!s.documents().current()->isModified());

    s.ui.yesNoCancelAnswers << UiServices::Answer::Yes;
    QVERIFY(qw::test::runMenuCommand(*s.window, "file.saveAll"));
    QCOMPARE(fileBytes(pic), png);
    QCOMPARE(fileBytes(page), QByteArray("b<p>a</p>\r\n"));
    QCOMPARE(s.ui.questions.size(), 2); // the page's save question only
    QVERIFY(s.ui.notices.isEmpty());
    QVERIFY(s.ui.allAnswersUsed());
    QVERIFY(s.ui.unscripted().isEmpty());
}

void ReadOnlyFilesTest::anEditedPictureGoesToSaveAsOnly()
{
    Session s;
    const QByteArray png = pngBytes();
    const QString pic = s.inst.path(u"pic.png"_s);
    writeFile(pic, png);
    s.open(pic, true);
    // Typing still works: it is the file that is protected.
    s.press(Qt::Key_X);
    QVERIFY(s.documents().current()->isModified());

    // Save All leaves it out without a question.
    QVERIFY(qw::test::runMenuCommand(*s.window, "file.saveAll"));
    QCOMPARE(s.ui.questions.size(), 1);
    QCOMPARE(fileBytes(pic), png);

    // Save asks for a name, and never takes the picture itself.
    s.ui.saveFileNames << pic;
    s.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(s.ui.saveRequests.size(), 1);
    QCOMPARE(s.ui.saveRequests.at(0).proposed, s.inst.path(u"pic.html"_s));
    QCOMPARE(s.ui.notices.size(), 1);
    QCOMPARE(
        s.ui.notices.at(0).text,
        u"Soubor \"%1\" je otevřen jen pro čtení. Uložte dokument pod jiným jménem."_s.arg(pic));
    QCOMPARE(fileBytes(pic), png);
    QVERIFY(s.documents().current()->isModified());
    QCOMPARE(s.documents().currentPath(), pic);

    // Another name works, and from then on the document is that file's.
    const QString copy = s.inst.path(u"pic-text.html"_s);
    s.ui.saveFileNames << copy;
    s.press(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fileBytes(pic), png);
    QVERIFY(fileBytes(copy).startsWith("x"));
    QCOMPARE(s.documents().currentPath(), copy);
    QVERIFY(!s.documents().isReadOnlyAt(s.documents().activeIndex()));
    QCOMPARE(s.activeTabText(), u"pic-text.html"_s);
    QVERIFY(!s.documents().current()->isModified());
    QVERIFY(s.ui.allAnswersUsed());
}

void ReadOnlyFilesTest::aFileDeclinedAtTheQuestionIsNotOpened()
{
    Session s;
    // A page with NUL bytes (a UTF-16 one, say): the editor would lose them.
    const QString page = s.inst.path(u"utf16.html"_s);
    writeFile(page, QByteArray::fromHex("fffe3c0070003e00"));
    s.open(page, false);
    QCOMPARE(s.ui.questions, QStringList({notTextQuestion(page)}));
    QCOMPARE(s.documents().count(), 1);
    QCOMPARE(s.documents().currentPath(), u"dokument1"_s);
    QVERIFY(!s.context->settings.recentFiles.contains(page));
    QVERIFY(s.ui.notices.isEmpty());
    QVERIFY(s.ui.allAnswersUsed());
}

QTEST_MAIN(ReadOnlyFilesTest)
#include "tst_readonly_files.moc"
