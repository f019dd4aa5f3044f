// A system-wide installation, whose program folder the user cannot write:
// the window keeps what it writes (user tags, html.dat, the settings) in the
// user's folders, seeded from what is shipped, and reads tag.dat from beside
// the program. File modes do not bind the superuser that may run the tests,
// so the installation's "cannot be written" is given to AppPaths for the
// program folder; every other place is asked of the disk.

#include "app/editor/ScintillaEditor.h"
#include "app/panels/LeftPanel.h"
#include "app/shell/AppContext.h"
#include "app/shell/MainWindow.h"
#include "app/usertags/UserTagDialog.h"
#include "app/usertags/UserTagPanel.h"
#include "support/FakeUiServices.h"
#include "support/FileBytes.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace qw;
using qw::test::FakeUiServices;
using qw::test::fileBytes;
using qw::test::writeBytes;

namespace {

// Every file below a folder with its bytes, to see that nothing changed.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, fileBytes(path));
    }
    return files;
}

} // namespace

class ReadOnlyInstallTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void userTagsAndSettingsAreWrittenUnderTheUsersFolders();

private:
    QTemporaryDir m_dir;
};

void ReadOnlyInstallTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The file panel's start folder stays inside the test.
    qputenv("HOME", QFile::encodeName(m_dir.path()));
}

void ReadOnlyInstallTest::userTagsAndSettingsAreWrittenUnderTheUsersFolders()
{
    const QString program = m_dir.filePath(QStringLiteral("usr/lib/quenwick"));
    const QString dataHome = m_dir.filePath(QStringLiteral("home/.local/share"));
    writeBytes(program + QStringLiteral("/Data/Settings/html.dat"),
               "[SABLONA-HEAD]\r\nitem0=<html>\r\n");
    writeBytes(program + QStringLiteral("/Data/Settings/tag.dat"), "[!IMG]\r\nSRC=IMAGE\r\n");
    writeBytes(program + QStringLiteral("/Data/UserData/Tag/Web/odkaz.qws"), "<a href=\"\">");
    writeBytes(program + QStringLiteral("/Data/UserData/Tag/Web/odkaz.qwe"), "</a>");
    // A per-user tag.dat left by an older version is not read.
    writeBytes(dataHome + QStringLiteral("/Quenwick/Settings/tag.dat"), "[!OLD]\r\nX=STRING\r\n");
    const QMap<QString, QByteArray> shipped = snapshot(program);

    const QString programFolder = QDir::cleanPath(program) + u'/';
    const AppPaths paths(program, m_dir.filePath(QStringLiteral("home/.config")), dataHome,
                         m_dir.filePath(QStringLiteral("tmp")),
                         [programFolder](const QString& path) {
                             return !(QDir::cleanPath(path) + u'/').startsWith(programFolder) &&
                                    AppPaths::writableOnDisk(path);
                         });
    const QString tagCopy = dataHome + QStringLiteral("/Quenwick/Tag");
    FakeUiServices ui;
    {
        AppContext context(paths, ui);
        context.loadSettings();
        QVERIFY(context.tags.hasTag(u"img"));
        QVERIFY(!context.tags.hasTag(u"old"));
        QCOMPARE(context.settings.templateHead, QStringList({QStringLiteral("<html>")}));
        QCOMPARE(context.settings.userTagPath, tagCopy);

        MainWindow window(context);
        window.show();
        window.openStartFile(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        UserTagPanel* panel = window.userTagPanel();
        window.leftPanel()->showPage(panel);
        // The shipped user tags, copied for this user.
        QCOMPARE(panel->tree()->topLevelItemCount(), 1);
        QTreeWidgetItem* group = panel->tree()->topLevelItem(0);
        QCOMPARE(group->text(0), QStringLiteral("Web"));
        QCOMPARE(group->childCount(), 1);
        QCOMPARE(group->child(0)->text(0), QStringLiteral("odkaz"));

        // A new user tag, saved through the dialog as a user does.
        panel->tree()->setCurrentItem(group);
        bool committed = false;
        panel->setDialogRunner([&committed](UserTagDialog& dialog) {
            dialog.nameField()->setText(QStringLiteral("tučně"));
            dialog.startField()->setPlainText(QStringLiteral("<b>"));
            dialog.endField()->setPlainText(QStringLiteral("</b>"));
            committed = dialog.commit();
        });
        panel->action(QStringLiteral("mnuAddUserTag"))->trigger();
        QVERIFY(committed);
        QCOMPARE(fileBytes(tagCopy + QStringLiteral("/Web/tučně.qws")), QByteArray("<b>\r\n"));
        QCOMPARE(fileBytes(tagCopy + QStringLiteral("/Web/tučně.qwe")), QByteArray("</b>\r\n"));
        QVERIFY(ui.notices.isEmpty());

        window.documents().current()->setModified(false);
        window.close();
    }

    // The settings went to the user's copies; beside the program nothing
    // changed.
    QCOMPARE(snapshot(program), shipped);
    const QJsonObject stored = QJsonDocument::fromJson(fileBytes(paths.userStoreFile()))
                                   .object()
                                   .value(u"Settings")
                                   .toObject();
    QCOMPARE(stored.value(u"UserTagPath").toString(), tagCopy);
    QVERIFY(fileBytes(dataHome + QStringLiteral("/Quenwick/Settings/html.dat"))
                .contains("item0=<html>"));

    // The next start finds the user's tag where it was saved.
    AppContext context(paths, ui);
    context.loadSettings();
    MainWindow window(context);
    window.show();
    window.leftPanel()->showPage(window.userTagPanel());
    QCOMPARE(window.userTagPanel()->tree()->topLevelItem(0)->childCount(), 2);
    QVERIFY(ui.unscripted().isEmpty());
}

QTEST_MAIN(ReadOnlyInstallTest)
#include "tst_readonly_install.moc"
