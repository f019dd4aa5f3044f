// How a start fills the window: the files named open in order (also when a
// later start hands several over at once), the empty document a start makes
// gives way to the first file or document given back while nobody typed
// into it, and the settings' font list names each family once.

#include "app/editor/ScintillaEditor.h"
#include "app/settings/SettingsDialog.h"
#include "app/settings/SettingsFeature.h"
#include "app/shell/DocumentRecovery.h"
#include "app/shell/MainWindow.h"
#include "core/recovery/RecoveryStore.h"
#include "core/settings/FontFamilies.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

// A shown window as the program makes it, before its first document.
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
        window->resize(900, 600);
        window->show();
    }
    DocumentManager& docs() { return window->documents(); }
    QStringList tabPaths()
    {
        QStringList paths;
        for (int i = 0; i < docs().count(); ++i)
            paths << docs().pathAt(i);
        return paths;
    }
    QStringList tabTexts()
    {
        QStringList texts;
        for (int i = 0; i < docs().tabBar()->count(); ++i)
            texts << docs().tabBar()->tabText(i);
        return texts;
    }
};

void typeKeys(const QString& keys)
{
    for (const QChar c : keys)
        QTest::keyClick(QApplication::focusWidget(), char(c.unicode()));
}

// A font file of a family the system has, made by another foundry: the
// font system then lists the family twice, "DejaVu Sans [QWTS]" beside it.
// The foundry is the vendor id in the file's OS/2 table.
QByteArray fontOfAnotherFoundry(const QString& source)
{
    QFile f(source);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = f.readAll();
    auto be16 = [&](qsizetype at) {
        return (quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1));
    };
    auto be32 = [&](qsizetype at) {
        return (quint32(be16(at)) << 16) | quint32(be16(at + 2));
    };
    const int tables = be16(4);
    for (int i = 0; i < tables; ++i) {
        const qsizetype entry = 12 + 16 * i;
        if (bytes.mid(entry, 4) == "OS/2") {
            bytes.replace(qsizetype(be32(entry + 8)) + 58, 4, "QWTS");
            return bytes;
        }
    }
    return {};
}

} // namespace

class StartStopTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString page(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char* name : {"a.html", "b.html", "c.html"}) {
            QFile f(m_dir.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("<p>") + name + "</p>\r\n");
        }
    }

    // "quenwick c.html a.html b.html": every file in its tab, in that order,
    // the last one current, and no empty document beside them.
    void startFilesOpenInOrder_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("none") << QStringList() << QStringList{QStringLiteral("dokument1")};
        QTest::newRow("one") << QStringList{page(QStringLiteral("a.html"))}
                             << QStringList{QStringLiteral("a.html")};
        QTest::newRow("three in the order named")
            << QStringList{page(QStringLiteral("c.html")), page(QStringLiteral("a.html")),
                           page(QStringLiteral("b.html"))}
            << QStringList{QStringLiteral("c.html"), QStringLiteral("a.html"),
                           QStringLiteral("b.html")};
    }
    void startFilesOpenInOrder()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, tabs);
        Session s;
        s.window->openStartFiles(files);
        QCOMPARE(s.tabTexts(), tabs);
        QCOMPARE(s.docs().activeIndex(), s.docs().count() - 1);
        if (!files.isEmpty()) {
            QCOMPARE(s.tabPaths(), files);
            QCOMPARE(s.docs().currentPath(), files.last());
            QCOMPARE(s.docs().current()->text(),
                     QStringLiteral("<p>%1</p>\r\n").arg(QFileInfo(files.last()).fileName()));
        }
        QVERIFY(s.ui.notices.isEmpty());
    }

    // A later start handing three files over at once: all open, in order.
    void severalHandedOverFilesOpenInOrder()
    {
        Session s;
        s.window->openStartFiles({});
        const QStringList files{page(QStringLiteral("b.html")), page(QStringLiteral("c.html")),
                                page(QStringLiteral("a.html"))};
        s.window->receiveHandOffs(files);
        QCOMPARE(s.tabPaths(), files);
        QCOMPARE(s.docs().currentPath(), files.last());
        // A start without files only brings the window up.
        s.window->receiveHandOffs({});
        QCOMPARE(s.tabPaths(), files);
    }

    // The start's empty document is closed by the first file that opens,
    // unless someone typed into it; only the first file does so.
    void startDocumentGivesWayWhileUntouched_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("backspaces");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("untouched")
            << QString() << false
            << QStringList{QStringLiteral("a.html"), QStringLiteral("b.html")};
        QTest::newRow("typed into")
            << QStringLiteral("x") << false
            << QStringList{QStringLiteral("dokument1"), QStringLiteral("a.html"),
                           QStringLiteral("b.html")};
        // Typed and taken back: someone worked there, it is not the start's.
        QTest::newRow("typed and deleted")
            << QStringLiteral("xy") << true
            << QStringList{QStringLiteral("dokument1"), QStringLiteral("a.html"),
                           QStringLiteral("b.html")};
    }
    void startDocumentGivesWayWhileUntouched()
    {
        QFETCH(QString, typed);
        QFETCH(bool, backspaces);
        QFETCH(QStringList, tabs);
        Session s;
        s.window->openStartFiles({});
        QVERIFY(QTest::qWaitForWindowActive(s.window.get()));
        QCOMPARE(QApplication::focusWidget(), s.docs().current());
        typeKeys(typed);
        if (backspaces) {
            for (qsizetype i = 0; i < typed.size(); ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        }
        // Opened the way "Otevřít" opens a chosen file.
        QVERIFY(s.docs().openDocument(page(QStringLiteral("a.html"))));
        QVERIFY(s.docs().openDocument(page(QStringLiteral("b.html"))));
        QCOMPARE(s.tabTexts(), tabs);
        QCOMPARE(s.docs().currentPath(), page(QStringLiteral("b.html")));
        QCOMPARE(s.docs().tabBar()->currentIndex(), s.docs().count() - 1);
        QCOMPARE(s.docs().editorStack()->currentWidget(), s.docs().current());
    }

    // A file that cannot be read opens nothing, so the start's document
    // stays for the next file.
    void aFileThatDoesNotOpenLeavesTheStartDocument()
    {
        Session s;
        s.window->openStartFiles({});
        s.ui.yesNoAnswers << false; // a picture is not opened after all
        QFile picture(page(QStringLiteral("p.png")));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        picture.close();
        QVERIFY(!s.docs().openDocument(picture.fileName()));
        QCOMPARE(s.tabTexts(), QStringList{QStringLiteral("dokument1")});
        QVERIFY(s.docs().openDocument(page(QStringLiteral("a.html"))));
        QCOMPARE(s.tabTexts(), QStringList{QStringLiteral("a.html")});
    }

    // Documents given back at the start take the empty document's place.
    void documentsGivenBackReplaceTheStartDocument()
    {
        QTemporaryDir state;
        QVERIFY(state.isValid());
        const QString folder = state.filePath(QStringLiteral("recovery"));
        {
            RecoveryStore gone(folder);
            QVERIFY(gone.open());
            RecoverySnapshot snapshot;
            snapshot.path = QStringLiteral("dokument4");
            snapshot.text = QStringLiteral("<p>neuloženo</p>");
            QVERIFY(gone.write(1, snapshot).ok);
            snapshot.path = page(QStringLiteral("c.html"));
            snapshot.text = QStringLiteral("<p>změna</p>");
            QVERIFY(gone.write(2, snapshot).ok);
        } // its lock is dropped: the files are a gone instance's
        Session s;
        s.ui.yesNoAnswers << true;
        s.window->openStartFiles({});
        s.window->startRecovery(folder);
        QCOMPARE(s.ui.yesNoAnswers.size(), 0);
        QCOMPARE(s.tabPaths(),
                 (QStringList{QStringLiteral("dokument4"), page(QStringLiteral("c.html"))}));
        QCOMPARE(s.docs().editorAt(0)->text(), QStringLiteral("<p>neuloženo</p>"));
        QVERIFY(s.docs().editorAt(0)->isModified());
        s.window->recovery().waitForWrites();
    }

    // "Nastavení": each family once, by its bare name, even when the system
    // has it from two foundries.
    void settingsFontListNamesEachFamilyOnce()
    {
        const QByteArray font =
            fontOfAnotherFoundry(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        QVERIFY2(!font.isEmpty(), "fonts-dejavu-core is needed");
        QVERIFY(QFontDatabase::addApplicationFontFromData(font) >= 0);
        const QStringList families = QFontDatabase::families();
        QVERIFY2(families.contains(QStringLiteral("DejaVu Sans [QWTS]")),
                 qPrintable(families.join(u", ")));

        Session s;
        s.window->openStartFiles({});
        SettingsFeature& settings = s.window->settingsFeature();
        settings.setRunner([](QDialog&) {});
        settings.open();
        SettingsDialog& dialog = settings.dialog();
        QComboBox* fonts = nullptr;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Písmo :"))
                fonts = qobject_cast<QComboBox*>(label->buddy());
        }
        QVERIFY(fonts != nullptr);
        QStringList shown;
        for (int i = 0; i < fonts->count(); ++i)
            shown << fonts->itemText(i);
        QCOMPARE(shown.count(QStringLiteral("DejaVu Sans")), 1);
        for (const QString& name : shown)
            QVERIFY2(!name.contains(QStringLiteral(" [")), qPrintable(name));
        QCOMPARE(shown, fontFamilyChoices(families));
    }
};

QTEST_MAIN(StartStopTest)
#include "tst_start_stop.moc"
