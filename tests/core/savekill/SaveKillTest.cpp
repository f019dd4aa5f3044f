// A page saved 1,000 times by a child process that is killed with SIGKILL at
// random moments and started again: after every kill the file is wholly the
// old or wholly the new text, and whatever a killed save leaves behind never
// makes a later save fail.
#include "SaveKillTexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kSaves = 1000;
constexpr int kWantedKills = 60;

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The child saving saves first..last; its reports come through a pipe.
class SavingChild
{
public:
    SavingChild(const QString& path, int first, int last) : m_lastDone(first - 1)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        const QByteArray file = QFile::encodeName(path);
        const QByteArray from = QByteArray::number(first);
        const QByteArray to = QByteArray::number(last);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::execl(QW_SAVE_LOOP_CHILD, QW_SAVE_LOOP_CHILD, file.constData(), from.constData(),
                    to.constData(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        m_out = fds[0];
    }
    ~SavingChild()
    {
        if (m_out >= 0)
            ::close(m_out);
    }
    bool started() const { return m_pid > 0 && m_out >= 0; }
    int lastDone() const { return m_lastDone; }

    // Reads reports until save n is done or the child has ended.
    void waitForSave(int n)
    {
        while (m_lastDone < n && readSome()) {
        }
    }
    void kill() { ::kill(m_pid, SIGKILL); }
    // Reads what is left and reaps the child; its wait status.
    int finish()
    {
        while (readSome()) {
        }
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        return status;
    }

private:
    bool readSome()
    {
        char buffer[256];
        const ssize_t got = ::read(m_out, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        m_pending.append(buffer, got);
        qsizetype end = 0;
        while ((end = m_pending.indexOf('\n')) >= 0) {
            m_lastDone = m_pending.left(end).toInt();
            m_pending.remove(0, end + 1);
        }
        return true;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    int m_lastDone;
    QByteArray m_pending;
};

} // namespace

TEST(SaveKill, EveryKillLeavesTheWholeOldOrTheWholeNewFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("stránka.html"));
    const QByteArray texts[] = {qw::test::saveKillBytes(0), qw::test::saveKillBytes(1)};
    ASSERT_GE(texts[0].size(), 1024 * 1024);
    ASSERT_NE(texts[0], texts[1]);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(texts[0]); // as if save 0 had written it
    }

    QRandomGenerator random(20261210);
    QElapsedTimer clock;
    clock.start();
    int done = 0; // the last save known to be complete
    int kills = 0;
    QSet<QString> leftovers;
    while (done < kSaves) {
        SavingChild child(path, done + 1, kSaves);
        ASSERT_TRUE(child.started());
        const int perRun = kSaves / kWantedKills;
        const int killAfter = done + static_cast<int>(random.bounded(2 * perRun + 1));
        const bool killThisOne = killAfter < kSaves;
        if (killThisOne) {
            child.waitForSave(killAfter);
            // Somewhere inside the next save: its time is about the average.
            const qint64 averageUs = done > 0 ? clock.nsecsElapsed() / 1000 / done : 5000;
            ::usleep(static_cast<useconds_t>(random.bounded(static_cast<int>(averageUs) + 1)));
            child.kill();
        }
        const int status = child.finish();
        if (killThisOne && WIFSIGNALED(status)) {
            ++kills;
            ASSERT_EQ(WTERMSIG(status), SIGKILL);
        } else {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "a save failed after " << kills << " kills";
        }
        done = std::max(done, child.lastDone());

        // Wholly the last finished save's text or the next one's, byte for
        // byte; never a mixture, a cut or an empty file.
        const QByteArray now = fileBytes(path);
        ASSERT_TRUE(now == texts[done % 2] || now == texts[(done + 1) % 2])
            << "after kill " << kills << " at save " << done << ": " << now.size() << " bytes";
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            if (name != QStringLiteral("stránka.html"))
                leftovers.insert(name);
        }
    }
    EXPECT_GE(kills, 50);
    EXPECT_EQ(fileBytes(path), texts[kSaves % 2]);
    // A save killed at the wrong moment may leave its temporary file; those
    // are named uniquely, so none is ever in the way of a later save (the
    // saves above went on after each), and a save that finished leaves none.
    std::printf("%d kills over %d saves in %lld ms; temporary files left behind: %s\n", kills,
                kSaves, static_cast<long long>(clock.elapsed()),
                qPrintable(QStringList(leftovers.values()).join(u' ')));
    EXPECT_LE(leftovers.size(), kills);
}
