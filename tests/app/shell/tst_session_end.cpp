// SIGTERM, SIGHUP and SIGINT end a window like the end of a desktop session:
// nothing is asked, the unsaved document's copy stays and is offered at the
// next start, the preview file is gone, the settings are written and the
// exit status is 0. Each signal goes to a real child process; the program
// itself is stopped the same way.

#include "app/editor/ScintillaEditor.h"
#include "app/shell/DocumentRecovery.h"
#include "app/shell/MainWindow.h"
#include "core/recovery/RecoveryStore.h"
#include "support/FakeUiServices.h"
#include "support/TestInstallation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace qw;

namespace {

// The places of one run of the program, all in a folder of their own.
struct Home
{
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), path(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
        env.insert(QStringLiteral("TMPDIR"), path(QStringLiteral("tmp")));
        return env;
    }
    bool prepare()
    {
        if (!dir.isValid())
            return false;
        QDir root(dir.path());
        for (const char* sub : {"config", "data", "state", "run", "tmp", "prog/Data/Settings"}) {
            if (!root.mkpath(QString::fromLatin1(sub)))
                return false;
        }
        QFile::setPermissions(path(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile page(path(QStringLiteral("page.html")));
        if (!page.open(QIODevice::WriteOnly))
            return false;
        page.write("<p>text</p>\r\n");
        return true;
    }
    QString recovery() const { return path(QStringLiteral("state/Quenwick/recovery")); }
    QStringList snapshots() const
    {
        return QDir(recovery()).entryList({QStringLiteral("*.snapshot")}, QDir::Files);
    }
    QString settingsFile() const { return path(QStringLiteral("config/Quenwick/settings.json")); }
};

// Reads lines until one starts with prefix; the rest of that line.
QString readUntil(QProcess& p, const QByteArray& prefix)
{
    for (;;) {
        while (p.canReadLine()) {
            const QByteArray line = p.readLine().trimmed();
            if (line.startsWith(prefix))
                return QString::fromUtf8(line.mid(prefix.size()));
        }
        if (!p.waitForReadyRead(30000))
            return QStringLiteral("<nothing>");
    }
}

} // namespace

class SessionEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalEndsLikeASession_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void signalEndsLikeASession()
    {
        QFETCH(int, signalNumber);
        Home home;
        QVERIFY(home.prepare());
        QVERIFY(!QFile::exists(home.settingsFile()));
        const QString page = home.path(QStringLiteral("page.html"));

        QProcess child;
        child.setProcessEnvironment(home.environment());
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QStringLiteral(QW_SESSION_END_CHILD),
                    {home.path(QStringLiteral("prog")), page});
        QVERIFY(child.waitForStarted(5000));
        const QString preview = readUntil(child, "preview ");
        QVERIFY2(QFile::exists(preview), qPrintable(preview));
        QCOMPARE(readUntil(child, "ready"), QString());
        // Nothing is copied yet: the copy comes a few seconds after typing.
        QVERIFY(home.snapshots().isEmpty());

        QCOMPARE(::kill(pid_t(child.processId()), signalNumber), 0);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(readUntil(child, "asked "), QStringLiteral("0"));

        QVERIFY(!QFile::exists(preview));
        QVERIFY(QFile::exists(home.settingsFile()));
        QCOMPARE(home.snapshots().size(), 1);

        // The next start offers the unsaved text under the page's name.
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.path(QStringLiteral("state"))));
        qw::test::TestInstallation installation;
        qw::test::FakeUiServices ui;
        ui.yesNoAnswers << true;
        const auto context = installation.context(ui);
        MainWindow window(*context);
        window.show();
        window.openStartFiles({});
        window.startRecovery(recoveryFolder());
        QCOMPARE(ui.questions.size(), 1);
        QVERIFY(ui.questions.first().contains(page));
        QCOMPARE(window.documents().count(), 1);
        QCOMPARE(window.documents().currentPath(), page);
        QCOMPARE(window.documents().current()->text(), QStringLiteral("Ahoj <p>text</p>\r\n"));
        QVERIFY(window.documents().current()->isModified());
        window.recovery().waitForWrites();
        // The page's file itself was never touched.
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("<p>text</p>\r\n"));
    }

    // The program itself, started with a page and stopped by SIGTERM.
    void theProgramEndsWithStatusZero()
    {
        Home home;
        QVERIFY(home.prepare());
        QProcess program;
        program.setProcessEnvironment(home.environment());
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(QW_PROGRAM), {home.path(QStringLiteral("page.html"))});
        QVERIFY(program.waitForStarted(5000));
        // Its recovery lock appears once its window and first document are up.
        QElapsedTimer waited;
        waited.start();
        while (QDir(home.recovery()).entryList({QStringLiteral("*.lock")}).isEmpty()) {
            QVERIFY2(waited.elapsed() < 30000, "the program did not start");
            QVERIFY(program.state() == QProcess::Running);
            QTest::qWait(50);
        }
        QCOMPARE(::kill(pid_t(program.processId()), SIGTERM), 0);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QFile::exists(home.settingsFile()));
        // It ended as it should: its lock is gone and nothing was unsaved.
        QVERIFY(QDir(home.recovery()).entryList({QStringLiteral("*.lock")}).isEmpty());
        QVERIFY(home.snapshots().isEmpty());
    }
};

QTEST_MAIN(SessionEndTest)
#include "tst_session_end.moc"
