// Documents in tabs inside a real, shown window: opening, saving byte for
// byte, the tab rules, the save questions and what happens when the disk says
// no. Every question goes to the scripted FakeUiServices.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentManager.h"
#include "support/FakeUiServices.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>
#include <sys/stat.h>

using namespace qw;
using qw::test::FakeUiServices;
using Answer = UiServices::Answer;

Q_DECLARE_METATYPE(qw::UiServices::Answer)

namespace {

const QString kCannotOpen = QStringLiteral("Soubor nelze otevřít!");
const QString kAlreadyOpen = QStringLiteral("Tento soubor je již otevřen!");

QString question(const QString& path)
{
    return QStringLiteral("Uložit změny v dokumentu - \"%1\"?").arg(path);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

// "Žluťoučký kůň" in Windows-1250 and in UTF-8.
const QByteArray kCzech1250("<p>\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2</p>");
const QByteArray kCzechUtf8 = QStringLiteral("<p>Žluťoučký kůň</p>").toUtf8();
const QByteArray kBom("\xEF\xBB\xBF");

// The window of the tests: hosts the documents as the main window does and,
// like it, lets its close request decide whether it may close.
class DocumentWindow : public QMainWindow
{
public:
    DocumentManager* documents = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (documents != nullptr && !documents->closeRequest())
            event->ignore();
        else
            event->accept();
    }
};

} // namespace

class DocumentsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeUiServices> m_ui;
    std::unique_ptr<DocumentOptions> m_options;
    std::unique_ptr<DocumentWindow> m_window;
    DocumentManager* m_docs = nullptr;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        const QString p = path(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write the fixture %s", qPrintable(p));
        return p;
    }

    ScintillaEditor* editor() const { return m_docs->current(); }

    // Types into the current editor at an offset, as a paste would.
    void insertAt(qsizetype offset, const QString& text) const
    {
        editor()->setSelectionStart(offset);
        editor()->replaceSelection(text);
    }

    QStringList tabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < m_docs->tabBar()->count(); ++i)
            texts << m_docs->tabBar()->tabText(i);
        return texts;
    }

    QAction* navigation(const QString& hint) const
    {
        for (QAction* a : m_docs->navigationBar()->actions()) {
            if (a->text() == hint)
                return a;
        }
        return nullptr;
    }

    // What the window shows must agree with the manager's bookkeeping: the
    // active tab, the editor in front and the caption.
    void verifyShownDocument() const
    {
        QCOMPARE(m_docs->tabBar()->count(), m_docs->count());
        QCOMPARE(m_docs->tabBar()->currentIndex(), m_docs->activeIndex());
        QCOMPARE(m_docs->editorStack()->currentWidget(), static_cast<QWidget*>(editor()));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quenwick - ") + m_docs->currentPath());
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_ui = std::make_unique<FakeUiServices>();
        m_options = std::make_unique<DocumentOptions>();
        m_options->docFromTemplate = false;
        m_window = std::make_unique<DocumentWindow>();
        m_docs = new DocumentManager(*m_ui, *m_options, m_window.get());
        m_window->documents = m_docs;
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        layout->addWidget(m_docs->editorStack(), 1);
        auto* strip = new QHBoxLayout;
        strip->addWidget(m_docs->navigationBar());
        strip->addWidget(m_docs->tabBar(), 1);
        layout->addLayout(strip);
        m_window->setCentralWidget(central);
        m_window->resize(800, 600);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_docs->resetCounter();
    }

    void cleanup()
    {
        m_window.reset();
        const QStringList unscripted = m_ui->unscripted();
        const bool used = m_ui->allAnswersUsed();
        m_ui.reset();
        m_options.reset();
        m_dir.reset();
        QVERIFY2(unscripted.isEmpty(), qPrintable(unscripted.join(u'\n')));
        QVERIFY2(used, "an answer the test queued was never asked for");
    }

    // ---- Opening and saving byte for byte ------------------------------

    void saveRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("saveFormat");
        QTest::addColumn<QString>("insert"); // typed after "<p>"; empty: no edit
        QTest::addColumn<QByteArray>("expected");

        const QByteArray r1250 = "<p>\xF8" + kCzech1250.mid(3);
        const QByteArray rUtf8 = "<p>" + QStringLiteral("ř").toUtf8() + kCzechUtf8.mid(3);

        QTest::newRow("WIN: CR LF, Windows-1250") << kCzech1250 + "\r\nB\r\n"
                                                  << "WIN"
                                                  << "ř" << r1250 + "\r\nB\r\n";
        QTest::newRow("UNIX: LF") << kCzech1250 + "\nB\n"
                                  << "UNIX"
                                  << "ř" << r1250 + "\nB\n";
        QTest::newRow("MAC: CR") << kCzech1250 + "\rB\r"
                                 << "MAC"
                                 << "ř" << r1250 + "\rB\r";
        QTest::newRow("UNIX turns CR LF into LF") << kCzech1250 + "\r\nB\r\n"
                                                  << "UNIX"
                                                  << "ř" << r1250 + "\nB\n";
        QTest::newRow("MAC turns mixed breaks into CR") << kCzech1250 + "\nB\r\nC"
                                                        << "MAC"
                                                        << "ř" << r1250 + "\rB\rC\r";
        QTest::newRow("UTF-8 without BOM stays UTF-8") << kCzechUtf8 + "\r\nB\r\n"
                                                       << "WIN"
                                                       << "ř" << rUtf8 + "\r\nB\r\n";
        QTest::newRow("UTF-8 with BOM keeps the BOM") << kBom + kCzechUtf8 + "\nB\n"
                                                      << "UNIX"
                                                      << "ř" << kBom + rUtf8 + "\nB\n";
        QTest::newRow("character outside Windows-1250: a reference")
            << kCzech1250 + "\r\n"
            << "WIN"
            << "→"
            << "<p>&#8594;" + kCzech1250.mid(3) + "\r\n";
        QTest::newRow("A CR LF B gains a final break") << QByteArray("A\r\nB") << "WIN"
                                                       << "" << QByteArray("A\r\nB\r\n");
        QTest::newRow("unedited, ends with the break: identical")
            << kCzech1250 + "\r\n\r\nB\r\n"
            << "WIN"
            << "" << kCzech1250 + "\r\n\r\nB\r\n";
        QTest::newRow("unedited UTF-8 with BOM: identical") << kBom + kCzechUtf8 + "\n"
                                                            << "UNIX"
                                                            << "" << kBom + kCzechUtf8 + "\n";
        // Plain ASCII reads the same in both; the page's own declaration decides.
        const QByteArray declaresUtf8("<p><meta charset=\"utf-8\">\r\n");
        const QByteArray declares1250("<p><meta charset=\"windows-1250\">\r\n");
        QTest::newRow("ASCII declaring UTF-8: unedited identical") << declaresUtf8 << "WIN"
                                                                   << "" << declaresUtf8;
        QTest::newRow("ASCII declaring UTF-8: a typed letter in UTF-8")
            << declaresUtf8 << "WIN"
            << "ž"
            << "<p>\xC5\xBE" + declaresUtf8.mid(3);
        QTest::newRow("ASCII declaring Windows-1250: a typed letter in Windows-1250")
            << declares1250 << "WIN"
            << "ž"
            << "<p>\x9E" + declares1250.mid(3);
    }

    void saveRoundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, saveFormat);
        QFETCH(QString, insert);
        QFETCH(QByteArray, expected);

        m_options->saveFormat = saveFormat;
        const QString p = writeFile(QStringLiteral("page.html"), file);
        QVERIFY(m_docs->openDocument(p));
        QVERIFY(!editor()->isModified());
        if (!insert.isEmpty()) {
            insertAt(3, insert);
            QVERIFY(editor()->isModified());
        }
        QVERIFY(m_docs->save());
        QCOMPARE(readBytes(p), expected);
        QVERIFY(!editor()->isModified());
        QCOMPARE(m_docs->currentPath(), p);
        QVERIFY(m_ui->questions.isEmpty());
        QVERIFY(m_ui->saveRequests.isEmpty());
    }

    // ---- Tabs ----------------------------------------------------------

    void newDocumentsAreNumberedAndAppended()
    {
        const QString file = writeFile(QStringLiteral("a.html"), "a\r\n");
        QVERIFY(m_docs->openDocument(file));
        for (int i = 0; i < 3; ++i)
            QVERIFY(m_docs->openDocument());

        // The file took number 1, so the new documents are 2, 3 and 4.
        QCOMPARE(tabTexts(), (QStringList{"a.html", "dokument2", "dokument3", "dokument4"}));
        for (int i = 1; i < 4; ++i) {
            QCOMPARE(m_docs->pathAt(i), QStringLiteral("dokument%1").arg(i + 1));
            QCOMPARE(m_docs->editorAt(i)->objectName(), QStringLiteral("newedit%1").arg(i + 1));
            QVERIFY(!m_docs->editorAt(i)->isModified());
        }
        QCOMPARE(m_docs->activeIndex(), 3);
        verifyShownDocument();
    }

    void closingPicksTheNextTab_data()
    {
        QTest::addColumn<bool>("modify");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<QString>("active");
        QTest::addColumn<bool>("written");

        const QStringList without3{"t1.html", "t2.html", "t4.html"};
        const QStringList all{"t1.html", "t2.html", "t3.html", "t4.html"};
        QTest::newRow("unmodified: one further right, wrapping")
            << false << QList<Answer>{} << without3 << "t1.html" << false;
        QTest::newRow("modified, No")
            << true << QList<Answer>{Answer::No} << without3 << "t4.html" << false;
        QTest::newRow("modified, Yes")
            << true << QList<Answer>{Answer::Yes} << without3 << "t4.html" << true;
        QTest::newRow("modified, Cancel")
            << true << QList<Answer>{Answer::Cancel} << all << "t3.html" << false;
    }

    void closingPicksTheNextTab()
    {
        QFETCH(bool, modify);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, remaining);
        QFETCH(QString, active);
        QFETCH(bool, written);

        for (int i = 1; i <= 4; ++i)
            QVERIFY(m_docs->openDocument(writeFile(QStringLiteral("t%1.html").arg(i), "x\r\n")));
        m_docs->tabBar()->setCurrentIndex(2);
        QCOMPARE(m_docs->currentPath(), path(QStringLiteral("t3.html")));
        if (modify)
            insertAt(0, QStringLiteral("edit "));
        m_ui->yesNoCancelAnswers = answers;

        m_docs->closeDocument();

        QCOMPARE(tabTexts(), remaining);
        QCOMPARE(m_docs->tabBar()->tabText(m_docs->activeIndex()), active);
        QCOMPARE(m_ui->questions.size(), answers.size());
        QCOMPARE(readBytes(path(QStringLiteral("t3.html"))),
                 written ? QByteArray("edit x\r\n") : QByteArray("x\r\n"));
        verifyShownDocument();
    }

    void closingTheLastDocumentStartsAgainAtOne()
    {
        // Close one by one, then close all: both end with a fresh dokument1.
        for (int i = 0; i < 3; ++i)
            QVERIFY(m_docs->openDocument());
        for (int i = 0; i < 3; ++i)
            m_docs->closeDocument();
        QCOMPARE(tabTexts(), QStringList{"dokument1"});
        QCOMPARE(editor()->objectName(), QStringLiteral("newedit1"));
        QVERIFY(!editor()->isModified());
        verifyShownDocument();

        for (int i = 0; i < 3; ++i)
            QVERIFY(m_docs->openDocument());
        m_docs->activate(2);
        insertAt(0, QStringLiteral("x"));
        m_ui->yesNoCancelAnswers = {Answer::No};
        m_docs->closeAll();
        QCOMPARE(m_ui->questions, QStringList{question(QStringLiteral("dokument3"))});
        QCOMPARE(tabTexts(), QStringList{"dokument1"});
        QCOMPARE(m_docs->currentPath(), QStringLiteral("dokument1"));
        verifyShownDocument();
    }

    void navigationButtons_data()
    {
        QTest::addColumn<int>("documents");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QList<bool>>("enabled"); // first, previous, next, last

        QTest::newRow("only one tab")
            << 1 << 0 << "" << 0 << QList<bool>{false, false, false, false};
        QTest::newRow("first tab") << 3 << 0 << "" << 0 << QList<bool>{false, false, true, true};
        QTest::newRow("middle tab") << 3 << 1 << "" << 1 << QList<bool>{true, true, true, true};
        QTest::newRow("Poslední") << 3 << 0 << "Poslední" << 2
                                  << QList<bool>{true, true, false, false};
        QTest::newRow("První") << 3 << 2 << "První" << 0 << QList<bool>{false, false, true, true};
        QTest::newRow("Další") << 3 << 0 << "Další" << 1 << QList<bool>{true, true, true, true};
        QTest::newRow("Předchozí")
            << 3 << 1 << "Předchozí" << 0 << QList<bool>{false, false, true, true};
    }

    void navigationButtons()
    {
        QFETCH(int, documents);
        QFETCH(int, start);
        QFETCH(QString, button);
        QFETCH(int, expected);
        QFETCH(QList<bool>, enabled);

        for (int i = 1; i <= documents; ++i)
            QVERIFY(m_docs->openDocument(writeFile(QStringLiteral("t%1.html").arg(i), "x")));
        // A click on a tab is a tab change like any other.
        m_docs->tabBar()->setCurrentIndex(start);
        QCOMPARE(m_docs->activeIndex(), start);
        if (!button.isEmpty()) {
            QAction* a = navigation(button);
            QVERIFY(a != nullptr);
            a->trigger();
        }
        QCOMPARE(m_docs->activeIndex(), expected);
        const QStringList hints{"První", "Předchozí", "Další", "Poslední"};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(navigation(hints.at(i)) != nullptr);
            QVERIFY2(navigation(hints.at(i))->isEnabled() == enabled.at(i),
                     qPrintable(hints.at(i)));
        }
        verifyShownDocument();
    }

    void modifiedTabIsBlueUntilSaved()
    {
        const QColor blue(0, 0, 255);
        const QColor black(0, 0, 0);
        QVERIFY(m_docs->openDocument(writeFile(QStringLiteral("a.html"), "a\r\n")));
        const QString b = writeFile(QStringLiteral("b.html"), "b\r\n");
        QVERIFY(m_docs->openDocument(b));
        QCOMPARE(m_docs->tabBar()->tabTextColor(1), black);

        editor()->setFocus();
        QTest::keyClicks(editor(), QStringLiteral("z"));
        QVERIFY(editor()->isModified());
        QCOMPARE(m_docs->tabBar()->tabTextColor(1), blue);
        QCOMPARE(m_docs->tabBar()->tabTextColor(0), black);

        QVERIFY(m_docs->save());
        QCOMPARE(m_docs->tabBar()->tabTextColor(1), black);
        QCOMPARE(readBytes(b), QByteArray("zb\r\n"));

        // Undoing back to the saved text is a change too: the tab turns blue.
        editor()->undo();
        QCOMPARE(m_docs->tabBar()->tabTextColor(1), blue);
    }

    // ---- The save question ---------------------------------------------

    void saveQuestionOnNewDocument_data()
    {
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("saveName"); // "" cancels the dialog; "-" no dialog expected
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<bool>("errorShown");

        QTest::newRow("Yes, saved as")
            << QList<Answer>{Answer::Yes} << "saved.html" << false << false;
        QTest::newRow("Yes, save dialog cancelled")
            << QList<Answer>{Answer::Yes} << "" << true << false;
        QTest::newRow("Yes, writing fails")
            << QList<Answer>{Answer::Yes} << "missing/saved.html" << true << true;
        QTest::newRow("No") << QList<Answer>{Answer::No} << "-" << false << false;
        QTest::newRow("Cancel") << QList<Answer>{Answer::Cancel} << "-" << true << false;
    }

    void saveQuestionOnNewDocument()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, saveName);
        QFETCH(bool, staysOpen);
        QFETCH(bool, errorShown);

        const QString other = writeFile(QStringLiteral("other.html"), "o\r\n");
        QVERIFY(m_docs->openDocument(other));
        QVERIFY(m_docs->openDocument());
        QCOMPARE(m_docs->currentPath(), QStringLiteral("dokument2"));
        insertAt(0, QStringLiteral("čau\r\n"));
        m_ui->yesNoCancelAnswers = answers;
        if (saveName != QStringLiteral("-"))
            m_ui->saveFileNames << (saveName.isEmpty() ? QString() : path(saveName));

        m_docs->closeDocument();

        QCOMPARE(m_ui->questions, QStringList{question(QStringLiteral("dokument2"))});
        if (saveName != QStringLiteral("-")) {
            QCOMPARE(m_ui->saveRequests.size(), 1);
            QCOMPARE(m_ui->saveRequests.at(0).proposed, QStringLiteral("dokument2"));
            QCOMPARE(m_ui->saveRequests.at(0).defaultSuffix, QStringLiteral("html"));
        } else {
            QVERIFY(m_ui->saveRequests.isEmpty());
        }
        QCOMPARE(m_ui->notices.size(), errorShown ? 1 : 0);
        if (errorShown)
            QCOMPARE(m_ui->notices.at(0).icon, UiServices::Icon::Error);
        if (staysOpen) {
            QCOMPARE(tabTexts(), (QStringList{"other.html", "dokument2"}));
            QCOMPARE(m_docs->currentPath(), QStringLiteral("dokument2"));
            QVERIFY(editor()->isModified());
            QCOMPARE(editor()->text(), QStringLiteral("čau\r\n"));
        } else {
            QCOMPARE(tabTexts(), QStringList{"other.html"});
        }
        if (saveName == QStringLiteral("saved.html"))
            QCOMPARE(readBytes(path(saveName)), QByteArray("\xE8"
                                                           "au\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                 saveName == QStringLiteral("saved.html")
                     ? (QStringList{"other.html", "saved.html"})
                     : QStringList{"other.html"});
        verifyShownDocument();
    }

    void saveOfNewDocumentAsksForAName()
    {
        QSignalSpy touched(m_docs, &DocumentManager::pathTouched);
        QVERIFY(m_docs->openDocument());
        insertAt(0, QStringLiteral("x"));
        const QString target = path(QStringLiteral("named.html"));
        m_ui->saveFileNames << target;

        QVERIFY(m_docs->save());

        QCOMPARE(m_ui->saveRequests.size(), 1);
        QCOMPARE(readBytes(target), QByteArray("x"));
        QCOMPARE(m_docs->currentPath(), target);
        QCOMPARE(tabTexts(), QStringList{"named.html"});
        QVERIFY(!editor()->isModified());
        QCOMPARE(touched.size(), 1);
        QCOMPARE(touched.at(0).at(0).toString(), target);
        verifyShownDocument();

        // From now on Save writes without asking.
        insertAt(1, QStringLiteral("y"));
        QVERIFY(m_docs->save());
        QCOMPARE(m_ui->saveRequests.size(), 1);
        QCOMPARE(readBytes(target), QByteArray("xy"));
    }

    void newDocumentIsSavedInTheEncodingItDeclares_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("declaring UTF-8") << QStringLiteral("<meta charset=\"utf-8\"><p>ž")
                                         << QByteArray("<meta charset=\"utf-8\"><p>\xC5\xBE");
        QTest::newRow("declaring Windows-1250")
            << QStringLiteral("<meta charset=\"windows-1250\"><p>ž")
            << QByteArray("<meta charset=\"windows-1250\"><p>\x9E");
        QTest::newRow("declaring nothing") << QStringLiteral("<p>ž") << QByteArray("<p>\x9E");
    }

    void newDocumentIsSavedInTheEncodingItDeclares()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        QVERIFY(m_docs->openDocument());
        insertAt(0, text);
        const QString target = path(QStringLiteral("new.html"));
        m_ui->saveFileNames << target;
        QVERIFY(m_docs->save());
        QCOMPARE(readBytes(target), expected);
        // The encoding stays with the file: a later save without the
        // declaration keeps it.
        editor()->setText(QStringLiteral("ř"));
        QVERIFY(m_docs->save());
        QCOMPARE(readBytes(target),
                 expected.endsWith("\x9E") ? QByteArray("\xF8") : QStringLiteral("ř").toUtf8());
    }

    void saveAsOntoAnotherOpenDocumentIsRefused()
    {
        const QString a = writeFile(QStringLiteral("a.html"), "a");
        QVERIFY(m_docs->openDocument(a));
        QVERIFY(m_docs->openDocument());
        insertAt(0, QStringLiteral("new"));
        m_ui->saveFileNames << a;

        QVERIFY(!m_docs->saveAs());

        QCOMPARE(readBytes(a), QByteArray("a"));
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices.at(0).text, kAlreadyOpen);
        // The first document took number 1, so the new one is number 2.
        QCOMPARE(m_docs->currentPath(), QStringLiteral("dokument2"));
        QVERIFY(editor()->isModified());
        QCOMPARE(tabTexts(), (QStringList{"a.html", "dokument2"}));
    }

    void saveAllAsksFromTheActiveTabRightwards()
    {
        QStringList paths;
        for (const char* name : {"a.html", "b.html", "c.html", "d.html"})
            paths << writeFile(QString::fromLatin1(name), "x\r\n");
        for (const QString& p : paths)
            QVERIFY(m_docs->openDocument(p));
        for (int i : {0, 1, 3}) { // c.html stays unmodified and is not asked about
            m_docs->activate(i);
            insertAt(0, QStringLiteral("edit "));
        }
        m_docs->activate(1);
        m_ui->yesNoCancelAnswers = {Answer::Yes, Answer::No, Answer::Yes};

        m_docs->saveAll();

        QCOMPARE(m_ui->questions,
                 (QStringList{question(paths[1]), question(paths[3]), question(paths[0])}));
        QCOMPARE(readBytes(paths[0]), QByteArray("edit x\r\n"));
        QCOMPARE(readBytes(paths[1]), QByteArray("edit x\r\n"));
        QCOMPARE(readBytes(paths[3]), QByteArray("x\r\n"));
        QVERIFY(m_docs->editorAt(3)->isModified());
        QVERIFY(!m_docs->editorAt(0)->isModified());
        QCOMPARE(m_docs->activeIndex(), 1);
        verifyShownDocument();
    }

    void closeRequestRefusedByCancel()
    {
        QStringList paths;
        for (const char* name : {"a.html", "b.html", "c.html"}) {
            paths << writeFile(QString::fromLatin1(name), "x\r\n");
            QVERIFY(m_docs->openDocument(paths.constLast()));
            insertAt(0, QStringLiteral("edit "));
        }
        m_docs->activate(0);
        m_ui->yesNoCancelAnswers = {Answer::No, Answer::Cancel};

        QVERIFY(!m_window->close());

        QVERIFY(m_window->isVisible());
        QCOMPARE(m_ui->questions, (QStringList{question(paths[0]), question(paths[1])}));
        QCOMPARE(m_docs->count(), 2);
        QCOMPARE(m_docs->pathAt(0), paths[1]);
        QCOMPARE(m_docs->pathAt(1), paths[2]);
        QCOMPARE(m_docs->currentPath(), paths[1]);
        QVERIFY(editor()->isModified());
        QCOMPARE(readBytes(paths[0]), QByteArray("x\r\n"));
        verifyShownDocument();

        // Asked again, the user lets both go and the window closes.
        m_ui->yesNoCancelAnswers = {Answer::No, Answer::No};
        QVERIFY(m_window->close());
        QCOMPARE(m_docs->count(), 0);
        QVERIFY(m_docs->current() == nullptr);
    }

    // ---- Failures ------------------------------------------------------

    void failedSaveKeepsEverything_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Save As into a missing folder") << "missing folder";
        QTest::newRow("Save As onto a folder") << "folder";
        QTest::newRow("Save after the folder was renamed") << "folder renamed";
    }

    void failedSaveKeepsEverything()
    {
        QFETCH(QString, how);

        const QByteArray old("old\r\n");
        const QString p = writeFile(QStringLiteral("docs/page.html"), old);
        QVERIFY(m_docs->openDocument(p));
        insertAt(0, QStringLiteral("new "));
        const QString caption = m_window->windowTitle();

        QString target = p;
        QString oldFile = p;
        bool saved = true;
        if (how == QStringLiteral("missing folder")) {
            target = path(QStringLiteral("nowhere/page.html"));
            m_ui->saveFileNames << target;
            saved = m_docs->saveAs();
        } else if (how == QStringLiteral("folder")) {
            target = path(QStringLiteral("docs/sub.html"));
            QVERIFY(QDir().mkpath(target));
            m_ui->saveFileNames << target;
            saved = m_docs->saveAs();
        } else {
            QVERIFY(QDir().rename(path(QStringLiteral("docs")), path(QStringLiteral("moved"))));
            oldFile = path(QStringLiteral("moved/page.html"));
            saved = m_docs->save();
        }

        QVERIFY(!saved);
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices.at(0).icon, UiServices::Icon::Error);
        QVERIFY2(m_ui->notices.at(0).text.contains(target), qPrintable(m_ui->notices.at(0).text));
        QVERIFY(editor()->isModified());
        QCOMPARE(m_docs->currentPath(), p);
        QCOMPARE(tabTexts(), QStringList{"page.html"});
        QCOMPARE(m_window->windowTitle(), caption);
        QCOMPARE(m_docs->tabBar()->tabTextColor(0), QColor(0, 0, 255));
        QCOMPARE(readBytes(oldFile), old);
        // No half-written temporary file is left beside the old one.
        QCOMPARE(QFileInfo(oldFile).dir().entryList(QDir::Files), QStringList{"page.html"});
    }

    void failedSaveStopsTheCloseRequest()
    {
        const QString a = writeFile(QStringLiteral("docs/a.html"), "a\r\n");
        const QString b = writeFile(QStringLiteral("b.html"), "b\r\n");
        QVERIFY(m_docs->openDocument(a));
        insertAt(0, QStringLiteral("x"));
        QVERIFY(m_docs->openDocument(b));
        insertAt(0, QStringLiteral("x"));
        m_docs->activate(0);
        QVERIFY(QDir().rename(path(QStringLiteral("docs")), path(QStringLiteral("moved"))));
        m_ui->yesNoCancelAnswers = {Answer::Yes};

        QVERIFY(!m_docs->closeRequest());

        // The document that could not be written stays, and b was not
        // closed behind the user's back.
        QCOMPARE(m_ui->questions, QStringList{question(a)});
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_docs->count(), 2);
        QVERIFY(m_docs->editorAt(0)->isModified());
        QVERIFY(m_docs->editorAt(1)->isModified());
        verifyShownDocument();
    }

    void openingAnUnreadablePath_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing file") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("named pipe") << "pipe";
    }

    void openingAnUnreadablePath()
    {
        QFETCH(QString, kind);
        QVERIFY(m_docs->openDocument(writeFile(QStringLiteral("a.html"), "a")));
        const QString p = path(QStringLiteral("target"));
        if (kind == QStringLiteral("folder"))
            QVERIFY(QDir().mkpath(p));
        else if (kind == QStringLiteral("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(p).constData(), 0600), 0);
        QSignalSpy touched(m_docs, &DocumentManager::pathTouched);

        // A pipe must be refused, not read: reading it would never end.
        QVERIFY(!m_docs->openDocument(p));

        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices.at(0).icon, UiServices::Icon::Error);
        QCOMPARE(m_ui->notices.at(0).text, kCannotOpen);
        QCOMPARE(tabTexts(), QStringList{"a.html"});
        QCOMPARE(m_docs->editorStack()->count(), 1);
        QCOMPARE(touched.size(), 0);
        verifyShownDocument();
    }

    void openingAnOpenFileActivatesItsTab()
    {
        const QString a = writeFile(QStringLiteral("a.html"), "a");
        const QString upper = writeFile(QStringLiteral("A.html"), "A");
        QVERIFY(m_docs->openDocument(a));
        QVERIFY(m_docs->openDocument(writeFile(QStringLiteral("b.html"), "b")));
        insertAt(0, QStringLiteral("x"));
        connect(m_docs, &DocumentManager::pathTouched, this,
                [this](const QString& p) { m_ui->events << QStringLiteral("touched: ") + p; });

        QVERIFY(!m_docs->openDocument(a));

        QCOMPARE(m_docs->count(), 2);
        QCOMPARE(m_docs->activeIndex(), 0);
        QCOMPARE(m_ui->notices.size(), 1);
        QCOMPARE(m_ui->notices.at(0).icon, UiServices::Icon::Information);
        // The recent-files update comes first, then the notice.
        QCOMPARE(m_ui->events, (QStringList{QStringLiteral("touched: ") + a,
                                            QStringLiteral("notice: ") + kAlreadyOpen}));
        // The other document keeps its unsaved change.
        QVERIFY(m_docs->editorAt(1)->isModified());
        verifyShownDocument();

        // Letter case makes another file.
        QVERIFY(m_docs->openDocument(upper));
        QCOMPARE(tabTexts(), (QStringList{"a.html", "b.html", "A.html"}));
    }

    // ---- New documents ---------------------------------------------------

    void newDocumentFromTemplate()
    {
        m_options->docFromTemplate = true;
        m_options->templateHead = {"<html>", "<title>Nový dokument</title>"};
        m_options->templateFoot = {"<!-- konec stránky -->", "</html>"};

        QVERIFY(m_docs->openDocument());

        const QString text = editor()->text();
        QCOMPARE(text, QStringLiteral("<html>\r\n<title>Nový dokument</title>\r\n\r\n\r\n"
                                      "<!-- konec stránky -->\r\n</html>\r\n"));
        QCOMPARE(editor()->selectionStart(), text.indexOf(QStringLiteral("<!--")));
        QCOMPARE(editor()->selectionLength(), 0);
        QVERIFY(!editor()->isModified());
        QVERIFY(!editor()->canUndo());

        // Switched off, a new document is empty.
        m_options->docFromTemplate = false;
        QVERIFY(m_docs->openDocument());
        QCOMPARE(editor()->text(), QString());
    }

    void blankDocumentIgnoresTheTemplate()
    {
        m_options->docFromTemplate = true;
        m_options->templateHead = {"<html>"};
        m_options->templateFoot = {"</html>"};

        m_docs->newBlankDocument();

        QCOMPARE(m_docs->currentPath(), QStringLiteral("dokument1"));
        QCOMPARE(editor()->text(), QString());
        QVERIFY(!editor()->isModified());
        QCOMPARE(m_docs->tabBar()->tabTextColor(0), QColor(0, 0, 0));
    }

    void pasteAsNewDocument()
    {
        // The template frames the pasted text even when new documents do
        // not use it.
        m_options->templateHead = {"<html>", "<body>"};
        m_options->templateFoot = {"</body>", "</html>"};
        QVERIFY(m_docs->openDocument(writeFile(QStringLiteral("a.html"), "a")));
        QApplication::clipboard()->setText(QStringLiteral("Dobrý\nden"));

        m_docs->pasteAsNewDocument();

        QCOMPARE(m_docs->count(), 2);
        QCOMPARE(m_docs->currentPath(), QStringLiteral("dokument2"));
        QCOMPARE(editor()->text(),
                 QStringLiteral("<html>\r\n<body>\r\nDobrý\r\nden\r\n</body>\r\n</html>"));
        // Nothing of it is on disk yet: closing must ask.
        QVERIFY(editor()->isModified());
        verifyShownDocument();

        // Undo goes back to an empty document, never to a text the user
        // did not have.
        m_options->docFromTemplate = true;
        m_docs->pasteAsNewDocument();
        QVERIFY(editor()->canUndo());
        for (int i = 0; i < 100 && editor()->canUndo(); ++i)
            editor()->undo();
        QCOMPARE(editor()->text(), QString());
    }
};

QTEST_MAIN(DocumentsTest)
#include "tst_documents.moc"
