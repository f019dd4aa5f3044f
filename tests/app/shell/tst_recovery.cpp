// Copies of unsaved documents in the recovery folder: kept while the work is
// unsaved, gone once it is saved, closed or the window ends cleanly, and
// given back (or thrown away, as the user answers) after a window was killed.
// Every window here keeps its copies in a temporary state folder.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/AppContext.h"
#include "app/shell/DocumentRecovery.h"
#include "app/shell/MainWindow.h"
#include "core/recovery/RecoverySnapshot.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;
using qw::test::fileBytes;
using qw::test::writeBytes;

namespace {

const QString kQuestion =
    QStringLiteral("Program nebyl řádně ukončen. Obnovit neuložené dokumenty?");

QStringList filesIn(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

QStringList snapshotsIn(const QString& folder)
{
    return filesIn(folder, QStringLiteral("*.snapshot"));
}

// Typed as a person's keyboard sends it, letters beyond ASCII included.
void typeText(const QString& text)
{
    for (const QChar c : text) {
        QWidget* w = QApplication::focusWidget();
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

std::optional<RecoverySnapshot> readSnapshot(const QString& file)
{
    return decodeSnapshot(fileBytes(file));
}

// A window as the program makes it: shown, its first document, then the
// recovery folder.
struct Session
{
    qw::test::TestInstallation inst;
    FakeUiServices ui;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;

    explicit Session(const QString& folder, QList<bool> answers = {})
    {
        ui.yesNoAnswers = std::move(answers);
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(900, 600);
        window->show();
        window->openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->startRecovery(folder);
    }
    DocumentManager& docs() { return window->documents(); }
    void type(const QString& keys) { typeText(keys); }
};

} // namespace

class RecoveryTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_state;
    QString m_folder;

    // The documents a killed window had, as it printed them: path → text.
    QMap<QString, QString> crashAWindow(const QString& page)
    {
        QMap<QString, QString> docs;
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_state.path());
        child.setProcessEnvironment(env);
        child.start(QStringLiteral(QW_RECOVERY_CHILD), {m_folder, page});
        if (!child.waitForStarted(5000))
            return docs;
        QByteArray line;
        while (line != "ready") {
            if (!child.canReadLine() && !child.waitForReadyRead(30000))
                break;
            line = child.readLine().trimmed();
            if (line.startsWith("doc ")) {
                const qsizetype cut = line.lastIndexOf(' ');
                docs.insert(QString::fromUtf8(line.mid(4, cut - 4)),
                            QString::fromUtf8(QByteArray::fromBase64(line.mid(cut + 1))));
            }
        }
        child.kill(); // SIGKILL: nothing of the window's own ending runs
        child.waitForFinished(5000);
        if (line != "ready" || child.exitStatus() != QProcess::CrashExit)
            docs.clear();
        return docs;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_state.isValid());
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_state.path()));
        m_folder = m_state.filePath(QStringLiteral("Quenwick/recovery"));
    }

    void cleanup() { QDir(m_folder).removeRecursively(); }

    void killedWindowsDocumentsComeBackOrGo_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<bool>("changedMeanwhile");
        QTest::newRow("restored") << true << false;
        QTest::newRow("declined") << false << false;
        QTest::newRow("restored, file changed since") << true << true;
    }

    void killedWindowsDocumentsComeBackOrGo()
    {
        QFETCH(bool, restore);
        QFETCH(bool, changedMeanwhile);
        QTemporaryDir web;
        const QString page = web.filePath(QStringLiteral("stránka.html"));
        const QByteArray saved = "<p>uložená stránka</p>\r\n"; // UTF-8
        writeBytes(page, saved);

        const QMap<QString, QString> before = crashAWindow(page);
        QCOMPARE(before.keys(), (QStringList{page, QStringLiteral("dokument1")}));
        QVERIFY(before.value(page).startsWith(QStringLiteral("Ahoj <p>")));
        QVERIFY(before.value(QStringLiteral("dokument1")).contains(QStringLiteral("Nový řádek")));
        const QStringList left = snapshotsIn(m_folder);
        QCOMPARE(left.size(), 2);
        QCOMPARE(fileBytes(page), saved);
        const QByteArray other = "<p>jiný program</p>\r\n";
        if (changedMeanwhile)
            writeBytes(page, other);

        // Then, for a file changed since: not to save over that change.
        Session s(m_folder, changedMeanwhile ? QList<bool>{restore, false} : QList<bool>{restore});
        QCOMPARE(s.ui.questions.size(), 1);
        const QString question = s.ui.questions.first();
        QVERIFY2(question.startsWith(kQuestion), qPrintable(question));
        QVERIFY(question.contains(page));
        QVERIFY(question.contains(QStringLiteral("dokument1")));

        if (!restore) {
            QCOMPARE(s.docs().count(), 1);
            QVERIFY(!s.docs().editorAt(0)->isModified());
            QCOMPARE(snapshotsIn(m_folder), QStringList());
            QCOMPARE(filesIn(m_folder, QStringLiteral("*.lock")).size(), 1); // this window's
            return;
        }
        // The start's empty document gave its place to the one of that name.
        QCOMPARE(s.docs().count(), 2);
        QMap<QString, QString> after;
        for (int i = 0; i < s.docs().count(); ++i) {
            ScintillaEditor* e = s.docs().editorAt(i);
            QVERIFY(e->isModified());
            after.insert(s.docs().pathAt(i), e->text());
            QCOMPARE(s.docs().tabBar()->tabText(i), DocumentList::tabCaption(s.docs().pathAt(i)));
        }
        QCOMPARE(after, before);
        const int pageIndex = s.docs().pathAt(0) == page ? 0 : 1;
        QCOMPARE(s.docs().tabBar()->tabText(pageIndex), QStringLiteral("stránka.html"));
        QCOMPARE(s.docs().tabBar()->tabText(1 - pageIndex), QStringLiteral("dokument1"));
        QCOMPARE(s.docs().encodingAt(pageIndex), TextEncoding::Utf8);
        QCOMPARE(s.docs().editorAt(1 - pageIndex)->lineBreak(), LineBreak::Lf);
        // The copies are this window's now: a second crash keeps them.
        const QStringList taken = snapshotsIn(m_folder);
        QCOMPARE(taken.size(), 2);
        for (const QString& name : taken) {
            QVERIFY(!left.contains(name));
            const auto copy = readSnapshot(m_folder + u'/' + name);
            QVERIFY(copy.has_value());
            QCOMPARE(copy->text, before.value(copy->path));
        }
        // Nothing reached the file.
        QCOMPARE(fileBytes(page), changedMeanwhile ? other : saved);
        // Saving asks first when another program changed the file after the
        // killed window had read it; otherwise it writes unasked.
        s.docs().activate(pageIndex);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.ui.questions.size(), changedMeanwhile ? 2 : 1);
        QCOMPARE(fileBytes(page), changedMeanwhile ? other : before.value(page).toUtf8());
        QCOMPARE(s.docs().editorAt(pageIndex)->isModified(), changedMeanwhile);
        QVERIFY(s.ui.allAnswersUsed());
        // A new document gets a name of its own.
        s.docs().openDocument();
        QVERIFY(DocumentList::isUntitled(s.docs().currentPath()));
        QVERIFY(s.docs().currentPath() != QStringLiteral("dokument1"));
        s.docs().closeDocument(); // unmodified: closes unasked
        QCOMPARE(s.docs().count(), 2);
        QVERIFY(s.ui.unscripted().isEmpty());

        // A clean end takes them and the lock away.
        s.window.reset();
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList());
    }

    void aRunningWindowsCopiesAreNotTaken()
    {
        Session first(m_folder);
        first.window->recovery().setDelays(100, 1000);
        first.type(QStringLiteral("rozepsáno"));
        QTRY_COMPARE(snapshotsIn(m_folder).size(), 1);
        const QString copy = m_folder + u'/' + snapshotsIn(m_folder).first();

        {
            Session second(m_folder);
            QCOMPARE(second.ui.questions, QStringList());
            QCOMPARE(second.docs().count(), 1);
            QVERIFY(QFile::exists(copy));
        }
        QVERIFY(QFile::exists(copy)); // the second one's clean end left it too
        first.window.reset();
        QVERIFY(!QFile::exists(copy));
    }

    void theCopyFollowsTheDocument_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("saved") << QStringLiteral("save");
        QTest::newRow("edits undone") << QStringLiteral("undo");
        QTest::newRow("closed unsaved") << QStringLiteral("close");
        QTest::newRow("window closed") << QStringLiteral("window");
    }

    // The copy appears a moment after typing and goes away with the
    // unsaved work, however that ends.
    void theCopyFollowsTheDocument()
    {
        QFETCH(QString, how);
        QTemporaryDir web;
        Session s(m_folder);
        s.window->recovery().setDelays(150, 60000);
        s.type(QStringLiteral("první"));
        QTRY_COMPARE(snapshotsIn(m_folder).size(), 1);
        const QString copy = m_folder + u'/' + snapshotsIn(m_folder).first();
        QTRY_VERIFY(readSnapshot(copy).has_value());
        QVERIFY(readSnapshot(copy)->text.contains(QStringLiteral("první")));
        // Later edits reach the same copy.
        s.type(QStringLiteral(" druhá"));
        QTRY_VERIFY(readSnapshot(copy)->text.contains(QStringLiteral("první druhá")));

        if (how == QStringLiteral("save")) {
            const QString target = web.filePath(QStringLiteral("nová.html"));
            s.ui.saveFileNames << target;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
            QVERIFY(QFile::exists(target));
        } else if (how == QStringLiteral("undo")) {
            for (int i = 0; i < 40 && s.docs().current()->isModified(); ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(!s.docs().current()->isModified());
        } else if (how == QStringLiteral("close")) {
            s.docs().openDocument(); // so the closed one is not the last tab
            s.docs().activate(0);
            s.ui.yesNoCancelAnswers << UiServices::Answer::No;
            s.docs().closeDocument();
            QCOMPARE(s.docs().count(), 1);
        } else {
            s.ui.yesNoCancelAnswers << UiServices::Answer::No;
            QVERIFY(s.window->close());
            s.window.reset();
        }
        if (s.window)
            s.window->recovery().waitForWrites();
        QTRY_VERIFY(!QFile::exists(copy));
        QCOMPARE(snapshotsIn(m_folder), QStringList());
        QVERIFY(s.ui.allAnswersUsed());
    }

    // Typing that never pauses long enough is still copied, at the latest
    // after the longest interval.
    void editsThatGoOnAreCopiedAtTheLatestAfterTheLongestInterval()
    {
        Session s(m_folder);
        s.window->recovery().setDelays(5000, 600);
        QElapsedTimer clock;
        clock.start();
        bool copiedWhileTyping = false;
        while (clock.elapsed() < 2500 && !copiedWhileTyping) {
            s.type(QStringLiteral("x"));
            QTest::qWait(100);
            copiedWhileTyping = !snapshotsIn(m_folder).isEmpty();
        }
        QVERIFY2(copiedWhileTyping, "no copy although typing went on past the longest interval");
    }
};

QTEST_MAIN(RecoveryTest)
#include "tst_recovery.moc"
