// The page "Soubory" on real widgets over a temporary folder: what the list
// shows for a filter, the size column, opening with the desktop's program
// through the injected opener, and the context menu's requests.

#include "app/editor/ScintillaEditor.h"
#include "app/filepanel/FileListModel.h"
#include "app/filepanel/FilePanel.h"
#include "app/panels/LeftPanel.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "support/FakeUiServices.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace qw;
using qw::test::FakeUiServices;

namespace {

void writeFile(const QString& path, qsizetype size)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(size, 'x'));
}

QStringList listedNames(const FilePanel& panel)
{
    QStringList names;
    const FileListModel* model = panel.fileModel();
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->data(model->index(row, FileListModel::NameColumn), Qt::DisplayRole)
                     .toString();
    return names;
}

const QString kFilters = QStringLiteral("HTML soubory|*.htm;*.html|Obrázky|*.gif;*.png|Vše|*.*|");

} // namespace

class FilePanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void filterListsByExtensionOnly();
    void sizeColumnSpeaksCzech_data();
    void sizeColumnSpeaksCzech();
    void doubleClickAndEnterOpenWithTheDesktop();
    void desktopOpenerRunsXdgOpen();
    void failedOpeningIsLoggedNotShown_data();
    void failedOpeningIsLoggedNotShown();
    void typeNamesAreCzechInAnEnglishSession();
    void menuRequestsNeedAnExistingSelectedFile();
    void refreshReadsTheFolderAgain();
    void noSelectedFolderGivesAnEmptyList();
    void windowOpensAndLinksTheListedFiles();

private:
    QTemporaryDir m_home;
    QString m_folder;
};

void FilePanelTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    // The panel starts in the home folder: keep it inside the test's folder.
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral(".skryta"))));
    m_folder = m_home.filePath(QStringLiteral("web"));
    QVERIFY(QDir().mkpath(m_folder + QStringLiteral("/podslozka.htm")));
    for (const char* name : {"a.htm", "b.HTML", "c.htm.bak", ".skryty.htm", "d.png", "README"})
        writeFile(m_folder + u'/' + QLatin1String(name), 10);
}

void FilePanelTest::filterListsByExtensionOnly()
{
    FilePanel panel;
    QCOMPARE(panel.selectedFolder(), QDir::cleanPath(m_home.path()));
    panel.setFilterText(kFilters);
    QCOMPARE(panel.filterBox()->count(), 3);
    QCOMPARE(panel.filterBox()->currentText(), QStringLiteral("HTML soubory"));
    QVERIFY(panel.selectFolder(m_folder));

    QCOMPARE(listedNames(panel), QStringList({QStringLiteral("a.htm"), QStringLiteral("b.HTML")}));
    // The first entry is current and selected after every listing.
    QCOMPARE(panel.selectedFilePath(), m_folder + QStringLiteral("/a.htm"));

    panel.filterBox()->setCurrentIndex(1);
    QCOMPARE(listedNames(panel), QStringList({QStringLiteral("d.png")}));
    panel.filterBox()->setCurrentIndex(2);
    QCOMPARE(listedNames(panel), QStringList({QStringLiteral("a.htm"), QStringLiteral("b.HTML"),
                                              QStringLiteral("c.htm.bak"), QStringLiteral("d.png"),
                                              QStringLiteral("README")}));

    // An empty filter box lists every file.
    panel.setFilterText(QString());
    QCOMPARE(panel.currentMask(), QStringLiteral("*.*"));
    QCOMPARE(listedNames(panel).size(), 5);
}

void FilePanelTest::sizeColumnSpeaksCzech_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << 0 << QStringLiteral("0 bajtů");
    QTest::newRow("one") << 1 << QStringLiteral("1 bajt");
    QTest::newRow("three") << 3 << QStringLiteral("3 bajty");
    QTest::newRow("five") << 5 << QStringLiteral("5 bajtů");
    QTest::newRow("thousand") << 1000 << QStringLiteral("1000 bajtů");
    QTest::newRow("one kB") << 1024 << QStringLiteral("1 kB");
    QTest::newRow("one and a half") << 1536 << QStringLiteral("1,5 kB");
    QTest::newRow("thousands") << 1024 * 1500 + 512 << QStringLiteral("1\u00A0500,5 kB");
}

void FilePanelTest::sizeColumnSpeaksCzech()
{
    QFETCH(int, bytes);
    QFETCH(QString, shown);
    QTemporaryDir dir(m_home.filePath(QStringLiteral("sizeXXXXXX")));
    writeFile(dir.filePath(QStringLiteral("soubor.txt")), bytes);
    FilePanel panel;
    QVERIFY(panel.selectFolder(dir.path()));
    const FileListModel* model = panel.fileModel();
    QCOMPARE(model->rowCount(), 1);
    const QModelIndex size = model->index(0, FileListModel::SizeColumn);
    QCOMPARE(model->data(size, Qt::DisplayRole).toString().replace(u'\u202F', u'\u00A0'), shown);
    QVERIFY(model->data(size, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
}

void FilePanelTest::doubleClickAndEnterOpenWithTheDesktop()
{
    FilePanel panel;
    QStringList opened;
    panel.setFileOpener([&opened](const QString& path) {
        opened << path;
        return QString();
    });
    QSignalSpy edits(&panel, &FilePanel::editRequested);
    panel.setFilterText(kFilters);
    QVERIFY(panel.selectFolder(m_folder));
    panel.resize(400, 600);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    QTreeView* list = panel.fileList();
    const QModelIndex second = panel.fileModel()->index(1, 0);
    const QPoint at = list->visualRect(second).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(opened, QStringList({m_folder + QStringLiteral("/b.HTML")}));

    list->setFocus();
    list->setCurrentIndex(panel.fileModel()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.last(), m_folder + QStringLiteral("/a.htm"));
    // Opening never goes to the editor.
    QCOMPARE(edits.count(), 0);
}

void FilePanelTest::desktopOpenerRunsXdgOpen()
{
    // A stand-in xdg-open that notes what it was given.
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QString noted = bin.filePath(QStringLiteral("opened.txt"));
    const QString script = bin.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nprintf '%s' \"$1\" > \"" + QFile::encodeName(noted) + "\"\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));

    FilePanel panel;
    panel.setFilterText(kFilters);
    QVERIFY(panel.selectFolder(m_folder));
    panel.fileList()->setFocus();
    QTest::keyClick(panel.fileList(), Qt::Key_Return);
    qputenv("PATH", oldPath);
    const auto notedText = [&noted] {
        QFile result(noted);
        return result.open(QIODevice::ReadOnly) ? QString::fromUtf8(result.readAll()) : QString();
    };
    QTRY_COMPARE(notedText(), m_folder + QStringLiteral("/a.htm"));
}

void FilePanelTest::failedOpeningIsLoggedNotShown_data()
{
    QTest::addColumn<bool>("desktopOpener");
    QTest::addColumn<QString>("reason");
    // Without xdg-open on the PATH the desktop's opener cannot work.
    QTest::newRow("no xdg-open") << true << QStringLiteral("xdg-utils");
    QTest::newRow("the opener refuses") << false << QStringLiteral("no program for this type");
}

void FilePanelTest::failedOpeningIsLoggedNotShown()
{
    QFETCH(bool, desktopOpener);
    QFETCH(QString, reason);
    QTemporaryDir emptyBin;
    QVERIFY(emptyBin.isValid());
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(emptyBin.path()));

    FilePanel panel;
    if (!desktopOpener)
        panel.setFileOpener([reason](const QString&) { return reason; });
    panel.setFilterText(kFilters);
    QVERIFY(panel.selectFolder(m_folder));
    panel.resize(400, 600);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    // The log names the file and the reason.
    QTest::ignoreMessage(
        QtWarningMsg,
        QRegularExpression(QRegularExpression::escape(m_folder + QStringLiteral("/a.htm")) +
                           QStringLiteral(".*") + QRegularExpression::escape(reason)));
    panel.fileList()->setFocus();
    QTest::keyClick(panel.fileList(), Qt::Key_Return);
    qputenv("PATH", oldPath);
    // Nothing is shown to the user: no window besides the panel.
    QCoreApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(w == &panel || !w->isVisible(), qPrintable(w->metaObject()->className()));
}

void FilePanelTest::typeNamesAreCzechInAnEnglishSession()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // The session really is English for the MIME database.
    const QString english = QMimeDatabase().mimeTypeForName(QStringLiteral("text/html")).comment();

    FilePanel panel;
    panel.setFilterText(QStringLiteral("Vše|*.*|"));
    const bool selected = panel.selectFolder(m_folder);
    const FileListModel* model = panel.fileModel();
    QStringList types;
    for (int row = 0; row < model->rowCount(); ++row)
        types << model->data(model->index(row, FileListModel::TypeColumn), Qt::DisplayRole)
                     .toString();
    QLocale::setDefault(before);

    QCOMPARE(english, QStringLiteral("HTML document"));
    QVERIFY(selected);
    // a.htm, b.HTML, c.htm.bak, d.png, README; the texts are shared-mime-info's.
    QCOMPARE(listedNames(panel).at(3), QStringLiteral("d.png"));
    QCOMPARE(types.at(0), QStringLiteral("dokument HTML"));
    QCOMPARE(types.at(1), QStringLiteral("dokument HTML"));
    QCOMPARE(types.at(3), QStringLiteral("obrázek PNG"));
}

void FilePanelTest::menuRequestsNeedAnExistingSelectedFile()
{
    QTemporaryDir dir(m_home.filePath(QStringLiteral("menuXXXXXX")));
    writeFile(dir.filePath(QStringLiteral("Stranka.html")), 5);
    writeFile(dir.filePath(QStringLiteral("zmizi.html")), 5);
    FilePanel panel;
    panel.setFilterText(kFilters);
    QVERIFY(panel.selectFolder(dir.path()));
    QSignalSpy edits(&panel, &FilePanel::editRequested);
    QSignalSpy links(&panel, &FilePanel::insertLinkRequested);

    QCOMPARE(panel.contextMenu()->defaultAction(), panel.editAction());
    QStringList captions;
    for (const QAction* a : panel.contextMenu()->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions, QStringList({QStringLiteral("Upravit"), QStringLiteral("Vložit jako odkaz"),
                                    QStringLiteral("-"), QStringLiteral("Obnovit")}));

    const QString page = dir.filePath(QStringLiteral("Stranka.html"));
    panel.editAction()->trigger();
    panel.insertLinkAction()->trigger();
    QCOMPARE(edits.count(), 1);
    QCOMPARE(edits.at(0).at(0).toString(), page);
    QCOMPARE(links.count(), 1);
    QCOMPARE(links.at(0).at(0).toString(), page);

    // A file gone since the listing is not opened.
    panel.fileList()->setCurrentIndex(panel.fileModel()->index(1, 0));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("zmizi.html"))));
    panel.editAction()->trigger();
    QCOMPARE(edits.count(), 1);

    // Nothing selected: neither request.
    panel.fileList()->clearSelection();
    panel.editAction()->trigger();
    panel.insertLinkAction()->trigger();
    QCOMPARE(edits.count(), 1);
    QCOMPARE(links.count(), 1);
}

void FilePanelTest::refreshReadsTheFolderAgain()
{
    QTemporaryDir dir(m_home.filePath(QStringLiteral("refreshXXXXXX")));
    writeFile(dir.filePath(QStringLiteral("prvni.htm")), 1);
    FilePanel panel;
    panel.setFilterText(kFilters);
    QVERIFY(panel.selectFolder(dir.path()));
    QCOMPARE(listedNames(panel), QStringList({QStringLiteral("prvni.htm")}));
    writeFile(dir.filePath(QStringLiteral("druhy.htm")), 1);
    panel.refreshAction()->trigger();
    QCOMPARE(listedNames(panel),
             QStringList({QStringLiteral("druhy.htm"), QStringLiteral("prvni.htm")}));
}

void FilePanelTest::noSelectedFolderGivesAnEmptyList()
{
    FilePanel panel;
    panel.setFilterText(kFilters);
    QVERIFY(panel.selectFolder(m_folder));
    QVERIFY(!listedNames(panel).isEmpty());
    panel.folderTree()->setCurrentIndex(QModelIndex());
    QCOMPARE(panel.selectedFolder(), QStringLiteral("?"));
    QCOMPARE(listedNames(panel), QStringList());
    QVERIFY(panel.selectedFilePath().isEmpty());
    // A folder the tree cannot show (hidden, or missing) is not selected.
    QVERIFY(!panel.selectFolder(m_home.filePath(QStringLiteral(".skryta"))));
    QVERIFY(!panel.selectFolder(m_home.filePath(QStringLiteral("chybi"))));
    QCOMPARE(panel.selectedFolder(), QStringLiteral("?"));
}

void FilePanelTest::windowOpensAndLinksTheListedFiles()
{
    QTemporaryDir dir(m_home.filePath(QStringLiteral("windowXXXXXX")));
    const QString site = dir.filePath(QStringLiteral("site"));
    QVERIFY(QDir().mkpath(site));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("prog/Data/Settings"))));
    QFile page(site + QStringLiteral("/index.html"));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("Napiste nam.\r\n");
    page.close();
    writeFile(site + QStringLiteral("/Kontakt.HTML"), 5);

    FakeUiServices ui;
    AppPaths paths(dir.filePath(QStringLiteral("prog")), dir.filePath(QStringLiteral("cfg")),
                   dir.filePath(QStringLiteral("data")), dir.filePath(QStringLiteral("tmp")));
    AppContext context(paths, ui);
    context.loadSettings();
    context.settings.filters =
        QStringList({QStringLiteral("HTML soubory|*.htm;*.html|"), QStringLiteral("Vše|*.*|")});
    MainWindow window(context);
    window.resize(1000, 700);
    window.show();
    window.openStartFile(site + QStringLiteral("/index.html"));
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The page "Soubory" comes first and is shown at start, in the home folder,
    // with the filters of the settings.
    FilePanel* panel = window.filePanel();
    QCOMPARE(window.leftPanel()->widget(0), panel);
    QCOMPARE(window.leftPanel()->tabText(0), QStringLiteral("Soubory"));
    QCOMPARE(window.leftPanel()->currentWidget(), panel);
    QCOMPARE(panel->selectedFolder(), QDir::cleanPath(m_home.path()));
    QCOMPARE(panel->filterBox()->count(), 2);
    QCOMPARE(panel->currentMask(), QStringLiteral("*.htm;*.html"));

    QVERIFY(panel->selectFolder(site));
    QCOMPARE(listedNames(*panel),
             QStringList({QStringLiteral("index.html"), QStringLiteral("Kontakt.HTML")}));
    panel->fileList()->setCurrentIndex(panel->fileModel()->index(1, 0));
    QCOMPARE(panel->selectedFilePath(), site + QStringLiteral("/Kontakt.HTML"));

    // "Vložit jako odkaz": the bare lower-case name, round the selected word.
    ScintillaEditor& editor = *window.documents().current();
    editor.setSelectionStart(0);
    editor.setSelectionLength(7);
    panel->insertLinkAction()->trigger();
    QCOMPARE(editor.text(), QStringLiteral("<a href=\"kontakt.html\">Napiste</a> nam.\r\n"));
    QCOMPARE(editor.selectedText(), QStringLiteral("Napiste"));
    QTRY_VERIFY(editor.hasFocus());

    // "Upravit": the file opens in a tab of its own.
    const int tabs = window.documents().count();
    panel->editAction()->trigger();
    QCOMPARE(window.documents().count(), tabs + 1);
    QCOMPARE(window.documents().currentPath(), site + QStringLiteral("/Kontakt.HTML"));
    QVERIFY(ui.unscripted().isEmpty());
    QVERIFY(ui.notices.isEmpty());
}

QTEST_MAIN(FilePanelTest)
#include "tst_filepanel.moc"
