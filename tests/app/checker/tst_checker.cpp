// The page check through the window: "Zkontrolovat stránku" on a page in a
// folder of its own, the findings listed in Czech in the panel "Kontrola",
// a double-click or Enter on a row putting the caret at its place, the places
// marked under the text until the text there changes, F8 and Shift+F8, the
// check again after typing stops (keeping the selected row), a newer text
// cancelling an older run, and pages that run out of time or are given up.
// Keys go to the application's focus widget, clicks to the list's viewport.

#include "app/checker/CheckRunner.h"
#include "app/checker/CheckerFeature.h"
#include "app/checker/CheckerPanel.h"
#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

// The acceptance page: a misnesting, a missing picture and a link to a page
// that is there.
const QByteArray kPage = "<!DOCTYPE html>\n"
                         "<html lang=\"cs\"><head><title>Stránka</title></head><body>\n"
                         "<p><b>text</p></b>\n"
                         "<p><a href=\"kontakt.html\">Kontakt</a></p>\n"
                         "<p>Foto: <img src=\"obrazek.png\" alt=\"Foto\"></p>\n"
                         "</body></html>\n";

struct Session
{
    qw::test::TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    QTemporaryDir site;
    CheckerFeature* checker = nullptr;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1200, 800);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        checker = window->findChild<CheckerFeature*>();
        QVERIFY(checker != nullptr);
        QFile contact(site.filePath(QStringLiteral("kontakt.html")));
        QVERIFY(contact.open(QIODevice::WriteOnly));
    }
    ~Session()
    {
        if (window != nullptr)
            window->hide();
    }

    bool openPage(const QByteArray& bytes, const QString& name = QStringLiteral("stranka.html"))
    {
        const QString path = site.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return false;
        f.close();
        if (!window->documents().openDocument(path))
            return false;
        editor().setFocus();
        return QTest::qWaitForWindowActive(window.get());
    }

    ScintillaEditor& editor() { return *window->documents().current(); }
    CheckerPanel& panel() { return *checker->panel(); }
    QTreeWidget& list() { return *panel().list(); }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    // Waits for the findings of the check under way.
    bool waitChecked(QSignalSpy& spy, int count = 1)
    {
        return QTest::qWaitFor([&] { return spy.count() >= count; }, 10000);
    }

    int rowWith(const QString& message)
    {
        for (int i = 0; i < list().topLevelItemCount(); ++i) {
            if (list().topLevelItem(i)->text(3) == message)
                return i;
        }
        return -1;
    }

    QStringList messages()
    {
        QStringList out;
        for (int i = 0; i < list().topLevelItemCount(); ++i)
            out << list().topLevelItem(i)->text(3);
        return out;
    }

    // The caret as a 1-based line and a column in characters.
    QPair<int, int> caret()
    {
        ScintillaEditor& e = editor();
        const long pos = e.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        const long line = e.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, pos);
        const long start = e.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        const long column = e.SendScintilla(QsciScintillaBase::SCI_COUNTCHARACTERS, start, pos);
        return {int(line) + 1, int(column) + 1};
    }

    long positionOf(int line, int column)
    {
        ScintillaEditor& e = editor();
        const long start = e.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line - 1);
        return e.SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, start, column - 1);
    }

    bool markedAt(int line, int column)
    {
        return editor().SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                      CheckerFeature::kIndicator, positionOf(line, column)) != 0;
    }

    void doubleClickRow(int row)
    {
        QTreeWidgetItem* item = list().topLevelItem(row);
        QVERIFY(item != nullptr);
        list().scrollToItem(item);
        const QPoint at = list().visualItemRect(item).center();
        // A real double-click: the first click, then the second.
        QTest::mouseClick(list().viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list().viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
};

const QString kMissingPicture = QStringLiteral("Obrázek „obrazek.png“ nebyl nalezen.");
const QString kMisnesting = QStringLiteral("chybí </b> před </p>");

} // namespace

class CheckerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkListsFindingsAndDoubleClickGoesThere();
    void enterAndNextPreviousFindingMoveTheCaret();
    void markStaysUntilTheTextThereChanges();
    void checksAgainAfterTypingAndKeepsTheSelection();
    void newerTextCancelsOlderRun();
    void pageTooDeepOrTooSlowGivesOneFinding();
    void longListIsCutAndCounted();
};

void CheckerTest::checkListsFindingsAndDoubleClickGoesThere()
{
    Session s;
    QVERIFY(s.openPage(kPage));
    QSignalSpy checked(s.checker, &CheckerFeature::checked);
    s.press(Qt::Key_F7, Qt::ControlModifier);
    QVERIFY(s.checker->dock()->isVisible());
    QVERIFY(s.waitChecked(checked));

    const QStringList messages = s.messages();
    QVERIFY2(messages.contains(kMisnesting), qPrintable(messages.join(u'\n')));
    QVERIFY2(messages.contains(kMissingPicture), qPrintable(messages.join(u'\n')));
    for (const QString& m : messages)
        QVERIFY2(!m.contains(QStringLiteral("kontakt.html")), qPrintable(m));

    const int row = s.rowWith(kMissingPicture);
    QTreeWidgetItem* item = s.list().topLevelItem(row);
    QCOMPARE(item->text(0), QStringLiteral("chyba"));
    QCOMPARE(item->text(1), QStringLiteral("5"));
    QCOMPARE(item->text(2), QStringLiteral("20"));
    QVERIFY(!item->icon(0).isNull());
    QCOMPARE(s.list().headerItem()->text(1), QStringLiteral("Řádek"));
    QCOMPARE(s.list().headerItem()->text(2), QStringLiteral("Sloupec"));

    s.editor().setCursorPosition(0, 0);
    s.doubleClickRow(row);
    QCOMPARE(s.caret(), qMakePair(5, 20));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.editor()));
}

void CheckerTest::enterAndNextPreviousFindingMoveTheCaret()
{
    Session s;
    QVERIFY(s.openPage(kPage));
    QSignalSpy checked(s.checker, &CheckerFeature::checked);
    s.press(Qt::Key_F7, Qt::ControlModifier);
    QVERIFY(s.waitChecked(checked));

    // Enter on a row selected in the list.
    s.list().setFocus();
    s.panel().selectRow(s.rowWith(kMisnesting));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.list()));
    s.press(Qt::Key_Return);
    QCOMPARE(s.caret(), qMakePair(3, 4));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&s.editor()));

    // F8 goes to the next place after the caret, Shift+F8 back, round the ends.
    QList<QPair<int, int>> places;
    for (const PageFinding& f : s.panel().findings()) {
        if (f.line > 0 && (places.isEmpty() || places.last() != qMakePair(f.line, f.column)))
            places << qMakePair(f.line, f.column);
    }
    QVERIFY(places.size() >= 3);
    const int at = int(places.indexOf(qMakePair(3, 4)));
    QVERIFY(at >= 0);
    s.press(Qt::Key_F8);
    QCOMPARE(s.caret(), places.at((at + 1) % places.size()));
    s.press(Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(s.caret(), places.at(at));
    s.editor().SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    s.press(Qt::Key_F8);
    QCOMPARE(s.caret(), places.first());
    s.press(Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(s.caret(), places.last());
}

void CheckerTest::markStaysUntilTheTextThereChanges()
{
    Session s;
    QVERIFY(s.openPage(kPage));
    QSignalSpy checked(s.checker, &CheckerFeature::checked);
    s.press(Qt::Key_F7, Qt::ControlModifier);
    QVERIFY(s.waitChecked(checked));
    // The address of the missing picture and the misnested <b>.
    QVERIFY(s.markedAt(5, 20));
    QVERIFY(s.markedAt(5, 30));
    QVERIFY(s.markedAt(3, 4));
    QVERIFY(!s.markedAt(4, 13)); // the link to the page that is there
    // Typing into the address takes its mark; the other place keeps its own.
    s.editor().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, s.positionOf(5, 23));
    s.editor().setFocus();
    s.press(Qt::Key_X);
    QVERIFY(!s.markedAt(5, 20));
    QVERIFY(!s.markedAt(5, 30));
    QVERIFY(s.markedAt(3, 4));
}

void CheckerTest::checksAgainAfterTypingAndKeepsTheSelection()
{
    Session s;
    QVERIFY(s.openPage(kPage));
    QSignalSpy checked(s.checker, &CheckerFeature::checked);
    s.press(Qt::Key_F7, Qt::ControlModifier);
    QVERIFY(s.waitChecked(checked));
    s.panel().selectRow(s.rowWith(kMissingPicture));

    // A letter typed into the first paragraph's tag makes an unknown
    // element: one more finding above the selected one, which stays selected.
    s.editor().SendScintilla(QsciScintillaBase::SCI_GOTOPOS, s.positionOf(3, 3));
    s.editor().setFocus();
    s.press(Qt::Key_X);
    QVERIFY(s.checker->typingTimer().isActive());
    QCOMPARE(checked.count(), 1);
    QVERIFY(s.waitChecked(checked, 2));
    QVERIFY2(s.messages().contains(QStringLiteral("<px> je neznámý prvek")),
             qPrintable(s.messages().join(u'\n')));
    const int selected = s.panel().currentRow();
    QVERIFY(selected >= 0);
    QCOMPARE(s.list().topLevelItem(selected)->text(3), kMissingPicture);

    // With the panel closed, typing checks nothing.
    s.checker->dock()->hide();
    s.editor().setFocus();
    s.press(Qt::Key_Y);
    QVERIFY(!s.checker->typingTimer().isActive());
}

void CheckerTest::newerTextCancelsOlderRun()
{
    CheckRunner runner;
    QSignalSpy finished(&runner, &CheckRunner::finished);
    QByteArray big = "<!DOCTYPE html><title>t</title><body>\n";
    while (big.size() < 4 * 1024 * 1024)
        big += "<p><b>odstavec</p></b> <img src=\"a.png\">\n";
    runner.start(big, QString());
    runner.start("<!DOCTYPE html><title>t</title><p><blink>x</blink></p>", QString());
    QVERIFY(QTest::qWaitFor([&] { return finished.count() >= 1; }, 10000));
    // The older run ends without findings reaching anyone.
    QTest::qWait(300);
    QCOMPARE(finished.count(), 1);
    const auto findings = finished.at(0).at(0).value<QList<PageFinding>>();
    // Only the small page's: nothing of the big one's paragraphs or pictures.
    QStringList messages;
    for (const PageFinding& f : findings) {
        messages << f.message;
        QVERIFY2(f.line == 1, qPrintable(f.message));
    }
    QVERIFY2(messages.contains(QStringLiteral("<blink> není ve standardu W3C")),
             qPrintable(messages.join(u'\n')));
    QVERIFY(!runner.isRunning());
}

void CheckerTest::pageTooDeepOrTooSlowGivesOneFinding()
{
    Session s;
    // Deep enough to overflow the library's parser.
    QByteArray deep = "<!DOCTYPE html><title>t</title>\n";
    for (int i = 0; i < 200000; ++i)
        deep += "<div>";
    QVERIFY(s.openPage(deep));
    QSignalSpy checked(s.checker, &CheckerFeature::checked);
    s.press(Qt::Key_F7, Qt::ControlModifier);
    QVERIFY(s.waitChecked(checked));
    QCOMPARE(
        s.messages(),
        QStringList{QStringLiteral(
            "Stránku se nepodařilo zkontrolovat: prvky jsou do sebe vnořeny příliš hluboko.")});

    // A page the library cannot finish in its time.
    QByteArray slow = "<!DOCTYPE html><title>t</title><body>\n";
    while (slow.size() < 2 * 1024 * 1024)
        slow += "<p><b>odstavec</p></b>\n";
    s.checker->runner()->setTimeLimit(std::chrono::milliseconds(1));
    // The panel is shown: the new current document is checked at once.
    QVERIFY(s.openPage(slow, QStringLiteral("pomala.html")));
    QTRY_COMPARE_WITH_TIMEOUT(
        s.messages(),
        QStringList{
            QStringLiteral("Stránku se nepodařilo zkontrolovat: kontrola trvala příliš dlouho.")},
        10000);
    QCOMPARE(s.list().topLevelItem(0)->text(0), QStringLiteral("chyba"));
}

void CheckerTest::longListIsCutAndCounted()
{
    CheckerPanel panel;
    QList<PageFinding> findings;
    const int total = CheckerPanel::kMaxRows + 500;
    for (int i = 0; i < total; ++i) {
        PageFinding f;
        f.kind = i % 2 == 0 ? FindingKind::Error : FindingKind::Note;
        f.line = i + 1;
        f.column = 1;
        f.message = QStringLiteral("nález %1").arg(i);
        findings << f;
    }
    panel.setFindings(findings);
    QCOMPARE(panel.list()->topLevelItemCount(), CheckerPanel::kMaxRows);
    QCOMPARE(panel.findings().size(), CheckerPanel::kMaxRows);
    const auto* status = panel.findChild<QLabel*>(QStringLiteral("CheckerStatus"));
    QVERIFY(status != nullptr);
    QCOMPARE(status->text(), QStringLiteral("Chyby: %1, varování: 0, poznámky: %2 (zobrazeno "
                                            "prvních %3 nálezů z %4)")
                                 .arg(total / 2)
                                 .arg(total / 2)
                                 .arg(CheckerPanel::kMaxRows)
                                 .arg(total));
}

QTEST_MAIN(CheckerTest)
#include "tst_checker.moc"
