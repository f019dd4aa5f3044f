// Files of open documents changed, replaced or removed by other programs, in
// a shown window: what the user is asked, what the document then holds, and
// that a save never overwrites such a change unasked. Every question goes to
// the scripted FakeUiServices.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;
using qw::test::fileBytes;
using qw::test::writeBytes;

namespace {

// Another program's save: a new file renamed over the old one.
void replaceFile(const QString& path, const QByteArray& bytes)
{
    const QString temp = path + QStringLiteral(".new");
    writeBytes(temp, bytes);
    QFile::remove(path);
    QVERIFY(QFile::rename(temp, path));
}

struct Session
{
    qw::test::TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    QString page;

    Session()
    {
        page = inst.path(QStringLiteral("page.html"));
        writeBytes(page, "<p>z disku</p>");
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(900, 600);
        window->show();
        window->openStartFile(page);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    // The user comes back to the window, as the window system tells it.
    void activate()
    {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(window.get(), &activation);
        QTest::qWait(120);
    }
};

const QString kChangedQuestion =
    QStringLiteral("Soubor \"%1\" změnil jiný program.\nNačíst jeho nový obsah?");

} // namespace

class DiskChangesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void unmodifiedDocumentIsReadAgainAfterTheQuestion_data();
    void unmodifiedDocumentIsReadAgainAfterTheQuestion();
    void readingAlwaysAsksNoMoreForTheRun();
    void modifiedDocumentKeepsTheUsersTextUnlessTheyChoose_data();
    void modifiedDocumentKeepsTheUsersTextUnlessTheyChoose();
    void removedFileLeavesTheDocumentOpenAndModified();
    void savingOverAChangedFileAsksFirst_data();
    void savingOverAChangedFileAsksFirst();
    void ownSavesAndUnchangedFilesAskNothing();
    void aChangeWhileTheUserIsElsewhereIsAskedOnReturn();
};

void DiskChangesTest::unmodifiedDocumentIsReadAgainAfterTheQuestion_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("modified");
    QTest::newRow("Načíst") << 0 << QStringLiteral("<p>nový</p>\r\n") << false;
    QTest::newRow("Ponechat") << 2 << QStringLiteral("<p>z disku</p>\r\n") << true;
    QTest::newRow("box closed") << -1 << QStringLiteral("<p>z disku</p>\r\n") << true;
}

void DiskChangesTest::unmodifiedDocumentIsReadAgainAfterTheQuestion()
{
    QFETCH(int, choice);
    QFETCH(QString, text);
    QFETCH(bool, modified);
    Session s;
    replaceFile(s.page, "<p>nový</p>");
    s.ui.choiceAnswers << choice;
    s.activate();
    QCOMPARE(s.ui.questions, QStringList({kChangedQuestion.arg(s.page)}));
    QCOMPARE(s.ui.choiceButtons.value(0),
             QStringList({QStringLiteral("Načíst"), QStringLiteral("Načítat vždy"),
                          QStringLiteral("Ponechat")}));
    QCOMPARE(s.editor().text(), text);
    QCOMPARE(s.editor().isModified(), modified);
    // The same change is asked about once.
    s.activate();
    QCOMPARE(s.ui.questions.size(), 1);
}

void DiskChangesTest::readingAlwaysAsksNoMoreForTheRun()
{
    Session s;
    replaceFile(s.page, "<p>první</p>");
    s.ui.choiceAnswers << 1;
    s.activate();
    QCOMPARE(s.editor().text(), QStringLiteral("<p>první</p>\r\n"));
    writeBytes(s.page, "<p>druhá změna</p>");
    s.activate();
    QCOMPARE(s.editor().text(), QStringLiteral("<p>druhá změna</p>\r\n"));
    QCOMPARE(s.ui.questions.size(), 1);
    QVERIFY(s.ui.unscripted().isEmpty());
}

void DiskChangesTest::modifiedDocumentKeepsTheUsersTextUnlessTheyChoose_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("text");
    QTest::newRow("keep") << false << QStringLiteral("moje<p>z disku</p>\r\n");
    QTest::newRow("read the file") << true << QStringLiteral("<p>cizí</p>\r\n");
}

void DiskChangesTest::modifiedDocumentKeepsTheUsersTextUnlessTheyChoose()
{
    QFETCH(bool, read);
    QFETCH(QString, text);
    Session s;
    s.editor().setSelectionStart(0);
    s.editor().replaceSelection(QStringLiteral("moje"));
    writeBytes(s.page, "<p>cizí</p>");
    s.ui.yesNoAnswers << read;
    s.activate();
    QCOMPARE(s.ui.questions.size(), 1);
    QVERIFY(s.ui.questions.at(0).contains(QStringLiteral("neuložené změny")));
    QCOMPARE(s.editor().text(), text);
    QCOMPARE(s.editor().isModified(), !read);
}

void DiskChangesTest::removedFileLeavesTheDocumentOpenAndModified()
{
    Session s;
    QVERIFY(QFile::remove(s.page));
    s.activate();
    QCOMPARE(s.ui.notices.size(), 1);
    QVERIFY(s.ui.notices.at(0).text.startsWith(
        QStringLiteral("Soubor \"%1\" už na disku není.").arg(s.page)));
    QCOMPARE(s.editor().text(), QStringLiteral("<p>z disku</p>\r\n"));
    QVERIFY(s.editor().isModified());
    // Closing now asks, so the text is not lost.
    s.ui.yesNoCancelAnswers << UiServices::Answer::Cancel;
    s.window->documents().closeDocument();
    QCOMPARE(s.window->documents().count(), 1);
    QCOMPARE(s.ui.questions.size(), 1);
}

void DiskChangesTest::savingOverAChangedFileAsksFirst_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("keep the other program's file") << false;
    QTest::newRow("overwrite") << true;
}

void DiskChangesTest::savingOverAChangedFileAsksFirst()
{
    QFETCH(bool, overwrite);
    Session s;
    s.editor().setSelectionStart(0);
    s.editor().replaceSelection(QStringLiteral("moje"));
    // Changed while the user stays in the window: no check has run yet.
    replaceFile(s.page, "<p>cizí</p>");
    s.ui.yesNoAnswers << overwrite;
    QCOMPARE(s.window->documents().save(), overwrite);
    QCOMPARE(s.ui.questions,
             QStringList({QStringLiteral("Soubor \"%1\" od načtení změnil jiný program.\n"
                                         "Přesto jej přepsat?")
                              .arg(s.page)}));
    QCOMPARE(fileBytes(s.page),
             overwrite ? QByteArray("moje<p>z disku</p>\r\n") : QByteArray("<p>cizí</p>"));
    QCOMPARE(s.editor().isModified(), !overwrite);
}

void DiskChangesTest::ownSavesAndUnchangedFilesAskNothing()
{
    Session s;
    s.editor().setSelectionStart(0);
    s.editor().replaceSelection(QStringLiteral("a"));
    QVERIFY(s.window->documents().save());
    s.editor().replaceSelection(QStringLiteral("b"));
    QVERIFY(s.window->documents().save());
    s.activate();
    QTest::qWait(200);
    QVERIFY(s.ui.questions.isEmpty());
    QVERIFY(s.ui.notices.isEmpty());
    QCOMPARE(fileBytes(s.page), QByteArray("ab<p>z disku</p>\r\n"));
}

void DiskChangesTest::aChangeWhileTheUserIsElsewhereIsAskedOnReturn()
{
    Session s;
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    QWidget elsewhere;
    elsewhere.resize(200, 100);
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QVERIFY(!s.window->isActiveWindow());

    replaceFile(s.page, "<p>nový</p>");
    QTest::qWait(300);
    // Nobody is asked while the user works in another window.
    QVERIFY(s.ui.questions.isEmpty());

    s.ui.choiceAnswers << 0;
    s.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
    QTRY_COMPARE(s.ui.questions.size(), 1);
    QCOMPARE(s.editor().text(), QStringLiteral("<p>nový</p>\r\n"));
}

QTEST_MAIN(DiskChangesTest)
#include "tst_diskchanges.moc"
