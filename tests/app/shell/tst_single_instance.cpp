#include "app/shell/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// Real processes: one primary, later starts handing over their paths.
class SingleInstanceTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString socket() const { return m_dir.filePath(QStringLiteral("q.socket")); }

    static QString probe() { return QStringLiteral(QW_SINGLE_INSTANCE_PROBE); }

    // Starts a primary and waits until it listens (its event loop runs
    // busyMs later).
    std::unique_ptr<QProcess> startPrimary(int busyMs = 0)
    {
        auto p = std::make_unique<QProcess>();
        QStringList args{socket(), QStringLiteral("/first.html")};
        if (busyMs > 0)
            args << QString::number(busyMs);
        p->start(probe(), args);
        if (!p->waitForStarted(5000))
            return nullptr;
        while (!p->canReadLine()) {
            if (!p->waitForReadyRead(10000))
                return nullptr;
        }
        if (p->readLine().trimmed() != "primary")
            return nullptr;
        return p;
    }

    static QByteArray runLater(const QString& socketPath, const QString& path)
    {
        QProcess later;
        later.start(probe(), {socketPath, path});
        later.waitForFinished(15000);
        return later.readAllStandardOutput().trimmed();
    }

    static QStringList receivedLines(QProcess& primary, int count)
    {
        QStringList got;
        while (got.size() < count) {
            while (primary.canReadLine())
                got << QString::fromUtf8(primary.readLine().trimmed());
            if (got.size() >= count || !primary.waitForReadyRead(10000))
                break;
        }
        return got;
    }

private Q_SLOTS:
    void laterStartsHandOverAndEnd()
    {
        auto primary = startPrimary();
        QVERIFY(primary);
        QCOMPARE(runLater(socket(), QStringLiteral("/home/jana/a b.html")),
                 QByteArray("handed-off"));
        QCOMPARE(runLater(socket(), QString()), QByteArray("handed-off"));
        const QStringList got = receivedLines(*primary, 2);
        QCOMPARE(got,
                 (QStringList{QStringLiteral("got:/home/jana/a b.html"), QStringLiteral("got:")}));
        primary->kill();
        primary->waitForFinished();
    }

    void twoQuickStartsBothArrive()
    {
        auto primary = startPrimary();
        QVERIFY(primary);
        QProcess a;
        QProcess b;
        a.start(probe(), {socket(), QStringLiteral("/x/one.html")});
        b.start(probe(), {socket(), QStringLiteral("/x/two.html")});
        QVERIFY(a.waitForFinished(15000));
        QVERIFY(b.waitForFinished(15000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        QStringList got = receivedLines(*primary, 2);
        got.sort();
        QCOMPARE(got, (QStringList{QStringLiteral("got:/x/one.html"),
                                   QStringLiteral("got:/x/two.html")}));
        primary->kill();
        primary->waitForFinished();
    }

    // Starts that reach a first instance still building its window wait for
    // it: each path arrives once, and none of them makes itself a second
    // first instance.
    void startsWhileTheFirstIsBusyAllArriveOnce()
    {
        auto primary = startPrimary(7000);
        QVERIFY(primary);
        std::vector<std::unique_ptr<QProcess>> later;
        QStringList sent;
        for (int i = 0; i < 5; ++i) {
            sent << QStringLiteral("/busy/%1.html").arg(i);
            auto p = std::make_unique<QProcess>();
            p->start(probe(), {socket(), sent.last()});
            later.push_back(std::move(p));
        }
        for (auto& p : later) {
            QVERIFY(p->waitForFinished(30000));
            QCOMPARE(p->readAllStandardOutput().trimmed(), QByteArray("handed-off"));
        }
        QStringList got = receivedLines(*primary, 5);
        // Anything sent twice would follow at once.
        QTest::qWait(300);
        while (primary->canReadLine())
            got << QString::fromUtf8(primary->readLine().trimmed());
        got.sort();
        QStringList expected;
        for (const QString& path : sent)
            expected << QStringLiteral("got:") + path;
        QCOMPARE(got, expected);
        primary->kill();
        primary->waitForFinished();
    }

    void staleSocketOfACrashDoesNotBlock()
    {
        auto crashed = startPrimary();
        QVERIFY(crashed);
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        crashed->waitForFinished();
        QVERIFY(QFile::exists(socket())); // the crash left its socket behind

        auto next = startPrimary();
        QVERIFY(next);
        QCOMPARE(runLater(socket(), QStringLiteral("/after.html")), QByteArray("handed-off"));
        QCOMPARE(receivedLines(*next, 1), QStringList{QStringLiteral("got:/after.html")});
        next->kill();
        next->waitForFinished();
    }

    void simultaneousFirstStartsMakeOnePrimary()
    {
        QProcess a;
        QProcess b;
        a.start(probe(), {socket(), QStringLiteral("/a.html")});
        b.start(probe(), {socket(), QStringLiteral("/b.html")});
        QVERIFY(a.waitForStarted(5000));
        QVERIFY(b.waitForStarted(5000));
        // One of the two ends after handing over; the other stays and receives.
        QProcess* ended = nullptr;
        for (int i = 0; i < 100 && !ended; ++i) {
            if (a.waitForFinished(50))
                ended = &a;
            else if (b.waitForFinished(50))
                ended = &b;
        }
        QVERIFY(ended);
        QCOMPARE(ended->readAllStandardOutput().trimmed(), QByteArray("handed-off"));
        QProcess& primary = ended == &a ? b : a;
        const QStringList got = receivedLines(primary, 2);
        QCOMPARE(got.value(0), QStringLiteral("primary"));
        QCOMPARE(got.value(1),
                 ended == &a ? QStringLiteral("got:/a.html") : QStringLiteral("got:/b.html"));
        primary.kill();
        primary.waitForFinished();
    }

    // The program itself started again while a window runs (the probe
    // window takes hand-offs as the program does): without a file the window
    // is only brought up, with one the file opens.
    void laterProgramStartsReachTheWindow()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        // Should a start not reach the window, its recovery files stay here.
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess window;
        window.setProcessEnvironment(env);
        window.start(QStringLiteral(QW_WINDOW_PROBE), QStringList());
        QVERIFY(window.waitForStarted(5000));
        QCOMPARE(receivedLines(window, 1),
                 QStringList{QStringLiteral("ready 1 dokument1 [dokument1]")});

        auto startProgram = [&](const QStringList& arguments) {
            QProcess later;
            later.setProcessEnvironment(env);
            later.setWorkingDirectory(m_dir.path());
            later.start(QStringLiteral(QW_PROGRAM), arguments);
            if (!later.waitForFinished(15000)) {
                later.kill(); // it did not find the window and runs on its own
                later.waitForFinished();
                return -1;
            }
            return later.exitStatus() == QProcess::NormalExit ? later.exitCode() : -1;
        };
        QCOMPARE(startProgram({}), 0);
        QCOMPARE(receivedLines(window, 1),
                 QStringList{QStringLiteral("got 1 dokument1 [dokument1]")});

        for (const char* name : {"a b.html", "c.html", "d.html"}) {
            QFile file(m_dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString ab = m_dir.filePath(QStringLiteral("a b.html"));
        const QString c = m_dir.filePath(QStringLiteral("c.html"));
        const QString d = m_dir.filePath(QStringLiteral("d.html"));
        // The first file takes the place of the start's empty document.
        QCOMPARE(startProgram({QStringLiteral("a b.html")}), 0);
        QCOMPARE(receivedLines(window, 1), QStringList{QStringLiteral("got 1 %1 [%1]").arg(ab)});
        // "quenwick d.html c.html": one hand-off, both open in that order.
        QCOMPARE(startProgram({QStringLiteral("d.html"), QStringLiteral("c.html")}), 0);
        QCOMPARE(receivedLines(window, 1),
                 QStringList{QStringLiteral("got 3 %1 [%2|%3|%1]").arg(c, ab, d)});
        window.kill();
        window.waitForFinished();
    }

    void socketIsOwnerOnly()
    {
        auto primary = startPrimary();
        QVERIFY(primary);
        const QFile::Permissions perms = QFile::permissions(socket());
        QVERIFY(perms & QFile::WriteOwner);
        QVERIFY(!(perms &
                  (QFile::WriteGroup | QFile::WriteOther | QFile::ReadGroup | QFile::ReadOther)));
        primary->kill();
        primary->waitForFinished();
    }

    // Without a runtime folder the socket must not take a name in the shared
    // temporary folder, where another user could be listening under it.
    void withoutRuntimeFolderTheSocketLivesInAPrivateFolder()
    {
        const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray oldTmp = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
        const QString usual = m_dir.filePath(QStringLiteral("quenwick-%1").arg(::geteuid()));
        const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere));

        QStringList paths;
        for (bool planted : {false, true}) {
            QDir(usual).removeRecursively();
            QFile::remove(usual);
            if (planted)
                QVERIFY(QFile::link(elsewhere, usual));
            const QString path = qw::SingleInstance::defaultSocketPath();
            const QString folder = QFileInfo(path).absolutePath();
            struct stat st
            {
            };
            QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &st), 0);
            QVERIFY2(S_ISDIR(st.st_mode), qPrintable(folder));
            QCOMPARE(st.st_mode & 0777, 0700u);
            QCOMPARE(st.st_uid, ::geteuid());
            QCOMPARE(QFileInfo(folder).dir().absolutePath(), QDir(m_dir.path()).absolutePath());
            QVERIFY2(!path.startsWith(elsewhere), qPrintable(path));
            paths << path;
        }
        QVERIFY(!paths[0].isEmpty());
        QCOMPARE(QDir(elsewhere).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});

        qputenv("XDG_RUNTIME_DIR", oldRuntime);
        if (oldTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTmp);
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
