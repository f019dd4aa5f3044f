// "Hledat v souborech..." and "Nahradit v souborech..." in a real, shown
// window: the keys open the dialog, its fields are typed into, the results
// panel is clicked and keyed; messages go to the scripted FakeUiServices.

#include "app/editor/ScintillaEditor.h"
#include "app/findinfiles/FindInFilesDialog.h"
#include "app/findinfiles/FindInFilesFeature.h"
#include "app/findinfiles/SearchResultsPanel.h"
#include "app/shell/AppContext.h"
#include "app/shell/DocumentManager.h"
#include "app/shell/MainWindow.h"
#include "core/text/Windows1250.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

using namespace qw;
using namespace Qt::StringLiterals;
using qw::test::FakeUiServices;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Types text into w key by key; a Czech letter comes as a key with its text,
// as a Czech keyboard gives it.
void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What the person types and ticks in the dialog.
struct DialogInput
{
    QString text;
    QString replacement;
    QString masks;       // empty: as proposed
    bool browse = false; // the folder comes from the folder dialog
    bool regex = false;
    int filterDown = 0; // Down keys pressed in the masks' drop-down
};

struct Session
{
    FakeUiServices ui;
    qw::test::TestInstallation inst;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<MainWindow> window;
    FindInFilesFeature* feature = nullptr;
    QTemporaryDir site;
    // What the dialog showed when it opened.
    QString proposedFolder;
    QString proposedMasks;
    QString title;
    bool ready = false;

    Session()
    {
        context = inst.context(ui);
        window = std::make_unique<MainWindow>(*context);
        window->resize(1000, 800);
        window->show();
        window->openStartFile(QString());
        window->activateWindow();
        feature = window->findChild<FindInFilesFeature*>();
        ready = QTest::qWaitForWindowActive(window.get()) && feature != nullptr && site.isValid();
    }

    QString path(const QString& name) const { return site.filePath(name); }

    // The dialog is shown, typed into and confirmed with a click on its
    // button; it never runs a modal loop.
    void answerDialogWith(const DialogInput& input)
    {
        feature->setDialogRunner([this, input](FindInFilesDialog& dialog) {
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog))
                return false;
            title = dialog.windowTitle();
            proposedFolder = dialog.folderBox()->currentText();
            proposedMasks = dialog.maskBox()->currentText();
            typeText(dialog.textField(), input.text);
            if (!input.replacement.isNull())
                typeText(dialog.replacementField(), input.replacement);
            if (input.browse)
                QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
            if (!input.masks.isEmpty()) {
                dialog.maskBox()->lineEdit()->selectAll();
                typeText(dialog.maskBox(), input.masks);
            }
            for (int i = 0; i < input.filterDown; ++i)
                QTest::keyClick(dialog.maskBox(), Qt::Key_Down);
            if (input.regex)
                // On the box itself, not the empty width beside its text.
                QTest::mouseClick(dialog.regexBox(), Qt::LeftButton, {},
                                  QPoint(6, dialog.regexBox()->height() / 2));
            QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
            return dialog.result() == QDialog::Accepted;
        });
    }

    // The command's shortcut pressed where the keyboard is.
    bool press(Qt::Key key)
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()) || !QApplication::focusWidget())
            return false;
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier | Qt::ShiftModifier);
        return true;
    }

    // The keyboard given to w, as a click into it would.
    bool focusOn(QWidget* w)
    {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return false;
        w->setFocus(Qt::MouseFocusReason);
        return QApplication::focusWidget() == w;
    }

    bool waitForSearch()
    {
        if (!feature->isSearching())
            return true;
        QSignalSpy done(feature, &FindInFilesFeature::searchFinished);
        return done.wait(10000);
    }

    QTreeWidget* tree() const { return feature->panel()->tree(); }

    QTreeWidgetItem* fileItem(const QString& relative) const
    {
        for (int i = 0; i < tree()->topLevelItemCount(); ++i) {
            if (tree()->topLevelItem(i)->text(0).startsWith(relative + u" ("_s))
                return tree()->topLevelItem(i);
        }
        return nullptr;
    }
};

} // namespace

class FindInFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Twenty pages, half of them Windows-1250, with the same footer; one of
    // them is open. Replacing "2025" by "2026" in *.html changes four bytes of
    // every file, and the open page in its editor as one undo step.
    void replacesTheYearInEveryPage()
    {
        Session s;
        QVERIFY(s.ready);
        QMap<QString, QByteArray> originals;
        for (int i = 0; i < 20; ++i) {
            const QString body = u"<html><body>\n<h1>Stránka č. %1 – Žluťoučký kůň</h1>\n"
                                 u"<footer>© 2025 Firma s.r.o.</footer>\n</body></html>\n"_s.arg(i);
            const bool windows = i % 2 == 0;
            QByteArray bytes = windows ? encodeWindows1250(body) : body.toUtf8();
            if (i % 4 == 1)
                bytes.replace("\n", "\r\n");
            const QString name = u"stranka%1.html"_s.arg(i, 2, 10, QLatin1Char(u'0'));
            QVERIFY(writeBytes(s.path(name), bytes));
            originals.insert(name, bytes);
        }
        QVERIFY(writeBytes(s.path(u"poznamky.txt"_s), "2025"));
        QVERIFY(s.window->documents().openDocument(s.path(u"stranka03.html"_s)));
        ScintillaEditor* open = s.window->documents().current();
        const QString openText = open->text();

        s.context->settings.filters = {u"Stránky HTML|*.htm;*.html|"_s, u"Všechny soubory|*.*|"_s};
        s.answerDialogWith({u"2025"_s, u"2026"_s, u"*.html"_s});
        QVERIFY(s.press(Qt::Key_H));
        QVERIFY(s.waitForSearch());
        QCOMPARE(s.title, u"Nahradit v souborech"_s);
        QCOMPARE(s.proposedFolder, QDir(s.site.path()).absolutePath());
        // The masks of the first filter.
        QCOMPARE(s.proposedMasks, u"*.htm;*.html"_s);
        QVERIFY(s.feature->dock()->isVisible());
        QCOMPARE(s.feature->dock()->windowTitle(), u"Výsledky hledání"_s);
        QCOMPARE(s.feature->panel()->fileCount(), 20);
        QTreeWidgetItem* first = s.fileItem(u"stranka00.html"_s);
        QVERIFY(first != nullptr);
        QCOMPARE(first->text(0), u"stranka00.html (1)"_s);
        QCOMPARE(first->checkState(0), Qt::Checked);
        QCOMPARE(first->child(0)->text(0), u"3"_s);
        QCOMPARE(first->child(0)->text(1), u"<footer>© 2025 Firma s.r.o.</footer>"_s);
        QCOMPARE(first->child(0)->checkState(0), Qt::Checked);
        QVERIFY(s.fileItem(u"poznamky.txt"_s) == nullptr);

        QTest::mouseClick(s.feature->panel()->replaceButton(), Qt::LeftButton);
        QCOMPARE(s.ui.notices.size(), 1);
        QCOMPARE(s.ui.notices.last().text, u"Nahrazeno výskytů: 20 v souborech: 20."_s);
        for (auto it = originals.cbegin(); it != originals.cend(); ++it) {
            const QByteArray now = readBytes(s.path(it.key()));
            if (it.key() == u"stranka03.html"_s) {
                QCOMPARE(now, it.value()); // the user saves it
                continue;
            }
            QCOMPARE(now.size(), it.value().size());
            int differing = 0;
            for (qsizetype k = 0; k < now.size(); ++k)
                differing += now[k] != it.value()[k] ? 1 : 0;
            QCOMPARE(differing, 1); // "5" became "6"
            QCOMPARE(now, QByteArray(it.value()).replace("2025", "2026"));
        }
        QVERIFY(open->isModified());
        QCOMPARE(open->text(), QString(openText).replace(u"2025"_s, u"2026"_s));
        QVERIFY(s.focusOn(open));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(open->text(), openText);
        QVERIFY(s.ui.unscripted().isEmpty());
    }

    // A match unchecked stays; a file changed after the search is reported
    // and left alone; Enter and a double-click open a match selected.
    void replacesOnlyWhatIsCheckedAndOpensMatches()
    {
        Session s;
        QVERIFY(s.ready);
        const QByteArray a = encodeWindows1250(u"<p>kůň</p>\r\n<p>kůň → kůň</p>\r\n"_s);
        const QByteArray b = u"<p>Kůň</p>\n"_s.toUtf8();
        QVERIFY(QDir(s.site.path()).mkdir(u"sub"_s));
        QVERIFY(writeBytes(s.path(u"a.html"_s), a));
        QVERIFY(writeBytes(s.path(u"sub/b.html"_s), b));
        QVERIFY(writeBytes(s.path(u"c.html"_s), "<p>k\xF9\xF2</p>"));
        QVERIFY(writeBytes(s.path(u"obrazek.html"_s), QByteArray("k\xF9\xF2\0\0", 5)));
        QVERIFY(QFile::link(s.path(u"a.html/x"_s), s.path(u"rozbita.html"_s)));

        QVERIFY(writeBytes(s.path(u"poznamky.txt"_s), "k\xF9\xF2"));
        s.context->settings.filters = {u"Stránky HTML|*.htm;*.html|"_s, u"Všechny soubory|*.*|"_s};
        s.ui.folderNames << s.site.path();
        // The second filter, "Všechny soubory", chosen from the drop-down.
        DialogInput input{u"kůň"_s, u"kobyla"_s, {}, true};
        input.filterDown = 1;
        s.answerDialogWith(input);
        QVERIFY(s.press(Qt::Key_H));
        QVERIFY(s.waitForSearch());
        QCOMPARE(s.ui.folderStarts.size(), 1);
        QTreeWidgetItem* itemA = s.fileItem(u"a.html"_s);
        QVERIFY(itemA != nullptr);
        QCOMPARE(itemA->childCount(), 3);
        QVERIFY(s.fileItem(u"sub/b.html"_s) != nullptr);
        QVERIFY(s.fileItem(u"c.html"_s) != nullptr);
        QCOMPARE(s.feature->dialog()->maskBox()->currentText(), u"*.*"_s);
        QVERIFY(s.fileItem(u"poznamky.txt"_s) != nullptr);
        QVERIFY(s.fileItem(u"obrazek.html"_s) == nullptr);
        const QString summary = s.feature->panel()->summaryText();
        QVERIFY2(summary.contains(u"nejsou text: 1"_s), qPrintable(summary));
        QVERIFY2(summary.contains(u"nečitelných: 1"_s), qPrintable(summary));
        bool listed = false;
        for (int i = 0; i < s.tree()->topLevelItemCount(); ++i)
            listed = listed || s.tree()->topLevelItem(i)->text(0).contains(u"rozbita.html – "_s);
        QVERIFY(listed);

        // The middle match of a.html unchecked with the space bar.
        QVERIFY(s.focusOn(s.tree()));
        s.tree()->setCurrentItem(itemA->child(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(itemA->child(1)->checkState(0), Qt::Unchecked);
        QCOMPARE(itemA->checkState(0), Qt::PartiallyChecked);

        // c.html changes on disk after the search.
        QVERIFY(writeBytes(s.path(u"c.html"_s), "<p>k\xF9\xF2!</p>"));

        QTest::mouseClick(s.feature->panel()->replaceButton(), Qt::LeftButton);
        QCOMPARE(readBytes(s.path(u"a.html"_s)),
                 encodeWindows1250(u"<p>kobyla</p>\r\n<p>kůň → kobyla</p>\r\n"_s));
        QCOMPARE(readBytes(s.path(u"sub/b.html"_s)), u"<p>kobyla</p>\n"_s.toUtf8());
        QCOMPARE(readBytes(s.path(u"c.html"_s)), QByteArray("<p>k\xF9\xF2!</p>"));
        QCOMPARE(readBytes(s.path(u"poznamky.txt"_s)), QByteArray("kobyla"));
        QCOMPARE(s.ui.notices.size(), 1);
        QCOMPARE(s.ui.notices.last().icon, UiServices::Icon::Warning);
        QVERIFY2(s.ui.notices.last().text.startsWith(u"Nahrazeno výskytů: 4 v souborech: 3."_s),
                 qPrintable(s.ui.notices.last().text));
        QVERIFY(s.ui.notices.last().text.contains(
            u"c.html: Soubor se od hledání změnil, nebyl přepsán."_s));

        // Enter on the match of a.html left unchecked opens it with the match
        // selected.
        QVERIFY(s.focusOn(s.tree()));
        s.tree()->setCurrentItem(itemA->child(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ScintillaEditor* editor = s.window->documents().current();
        QVERIFY(editor != nullptr);
        QCOMPARE(QFileInfo(s.window->documents().currentFilePath()).fileName(), u"a.html"_s);
        QCOMPARE(editor->selectedText(), u"kůň"_s);
        QCOMPARE(editor->lineAtOffset(editor->selectionStart()), 1);

        // A double-click on c.html's match opens that file.
        QTreeWidgetItem* itemC = s.fileItem(u"c.html"_s);
        s.tree()->scrollToItem(itemC->child(0));
        const QRect rect = s.tree()->visualItemRect(itemC->child(0));
        // A double-click: a click, then the second press that makes it double.
        QTest::mouseClick(s.tree()->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(s.tree()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(QFileInfo(s.window->documents().currentFilePath()).fileName(), u"c.html"_s);
        QCOMPARE(s.window->documents().current()->selectedText(), u"kůň"_s);
    }

    // "Zastavit" ends a running search within 100 ms, with the results found
    // until then shown.
    void stopEndsTheSearchQuickly()
    {
        Session s;
        QVERIFY(s.ready);
        const QByteArray filler =
            QByteArray("<p>Žluťoučký kůň úpěl ďábelské ódy.</p>\n").repeated(500);
        QVERIFY(writeBytes(s.path(u"0000.html"_s), filler + "kun42\n"));
        for (int i = 1; i < 3000; ++i)
            QVERIFY(writeBytes(s.path(u"%1.html"_s.arg(i, 4, 10, QLatin1Char(u'0'))), filler));

        QSignalSpy done(s.feature, &FindInFilesFeature::searchFinished);
        s.ui.folderNames << s.site.path();
        s.answerDialogWith({u"kun\\d+"_s, QString(), {}, true, true});
        QVERIFY(s.press(Qt::Key_F));
        QTRY_VERIFY2_WITH_TIMEOUT(s.tree()->topLevelItemCount() > 0,
                                  qPrintable(s.feature->panel()->summaryText()), 5000);
        QVERIFY2(s.feature->isSearching(), "the search ended before it could be stopped");
        QCOMPARE(s.title, u"Hledat v souborech"_s);
        QVERIFY(s.feature->panel()->progressBar()->isVisible());
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(s.feature->panel()->stopButton(), Qt::LeftButton);
        QVERIFY(done.count() == 1 || done.wait(1000));
        const qint64 took = clock.elapsed();
        QVERIFY2(took <= 100, qPrintable(u"stopping took %1 ms"_s.arg(took)));
        QVERIFY(s.feature->panel()->summaryText().contains(u"zastaveno"_s));
        QVERIFY(!s.feature->panel()->progressBar()->isVisible());
        QCOMPARE(s.fileItem(u"0000.html"_s)->child(0)->text(1), u"kun42"_s);
    }
};

QTEST_MAIN(FindInFilesTest)
#include "tst_findinfiles.moc"
