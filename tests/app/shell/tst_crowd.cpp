// Fifty starts of the real program at once, each with its own file, under
// the suite's display: one instance stays running and holds all fifty
// documents, the other starts hand over and end, and the hand-off socket is
// its owner's only.
//
// Which documents the running instance holds is read from outside, the way
// the system sees it: the program watches the file of every open document
// (to notice other programs' changes), and the kernel lists each watched
// file's inode in /proc/<pid>/fdinfo of the watching descriptor.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kStarts = 50;

quint64 inodeOf(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// The inodes a process watches through inotify.
QSet<quint64> watchedInodes(qint64 pid)
{
    QSet<quint64> inodes;
    const QString fdinfo = QStringLiteral("/proc/%1/fdinfo").arg(pid);
    for (const QString& fd : QDir(fdinfo).entryList(QDir::Files)) {
        QFile f(fdinfo + u'/' + fd);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : f.readAll().split('\n')) {
            if (!line.startsWith("inotify "))
                continue;
            const qsizetype at = line.indexOf(" ino:");
            if (at < 0)
                continue;
            const qsizetype end = line.indexOf(' ', at + 5);
            bool ok = false;
            const quint64 ino = line.mid(at + 5, end - at - 5).toULongLong(&ok, 16);
            if (ok)
                inodes.insert(ino);
        }
    }
    return inodes;
}

} // namespace

class CrowdTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fiftyStartsEndInOneInstanceHoldingEveryFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString runtime = dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(runtime));
        QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));

        QStringList files;
        QSet<quint64> inodes;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("web"))));
        for (int i = 0; i < kStarts; ++i) {
            const QString path = dir.filePath(QStringLiteral("web/stránka %1.html").arg(i));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("<p>") + QByteArray::number(i) + "</p>\r\n");
            f.close();
            files << path;
            inodes.insert(inodeOf(path));
        }
        QCOMPARE(inodes.size(), kStarts);

        std::vector<std::unique_ptr<QProcess>> starts;
        for (const QString& file : files) {
            auto p = std::make_unique<QProcess>();
            p->setProcessEnvironment(env);
            p->start(QStringLiteral(QW_PROGRAM), {file});
            starts.push_back(std::move(p));
        }
        for (auto& p : starts)
            QVERIFY(p->waitForStarted(10000));

        // Every start but one hands over and ends; one goes on running.
        QElapsedTimer clock;
        clock.start();
        auto running = [&] {
            QList<QProcess*> r;
            for (auto& p : starts) {
                if (p->state() != QProcess::NotRunning)
                    r << p.get();
            }
            return r;
        };
        while (running().size() > 1 && clock.elapsed() < 120000)
            QTest::qWait(100);
        const QList<QProcess*> left = running();
        QCOMPARE(left.size(), 1);
        for (auto& p : starts) {
            if (p.get() != left.first()) {
                QCOMPARE(p->exitStatus(), QProcess::NormalExit);
                QCOMPARE(p->exitCode(), 0);
            }
        }
        const qint64 pid = left.first()->processId();
        const qint64 handedOverMs = clock.elapsed();

        // ...and holds all fifty files.
        QSet<quint64> held;
        while (clock.elapsed() < 180000) {
            held = watchedInodes(pid) & inodes;
            if (held.size() == kStarts)
                break;
            QTest::qWait(200);
        }
        QCOMPARE(held.size(), kStarts);
        qInfo("%d starts handed over within %lld ms, all files open after %lld ms", kStarts - 1,
              static_cast<long long>(handedOverMs), static_cast<long long>(clock.elapsed()));

        // The socket and its folder: the owner's only.
        struct stat st
        {
        };
        const QByteArray socket = QFile::encodeName(runtime + QStringLiteral("/quenwick.socket"));
        QCOMPARE(::lstat(socket.constData(), &st), 0);
        QVERIFY(S_ISSOCK(st.st_mode));
        QCOMPARE(st.st_uid, ::geteuid());
        QCOMPARE(st.st_mode & 0077, 0u);
        QCOMPARE(::stat(QFile::encodeName(runtime).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);

        // The one instance keeps copies of unsaved work; the starts that
        // handed over never took a place in the recovery folder.
        const QStringList locks = QDir(dir.filePath(QStringLiteral("state/Quenwick/recovery")))
                                      .entryList({QStringLiteral("*.lock")}, QDir::Files);
        QCOMPARE(locks.size(), 1);
        QVERIFY(locks.first().startsWith(QString::number(pid) + u'-'));

        left.first()->kill();
        left.first()->waitForFinished(10000);
    }
};

QTEST_MAIN(CrowdTest)
#include "tst_crowd.moc"
