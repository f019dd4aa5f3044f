#include "core/recovery/RecoverySnapshot.h"
#include "core/recovery/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qw;
using namespace Qt::StringLiterals;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st
    {
    };
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &st), 0);
    return st.st_mode;
}

RecoverySnapshot snapshot(const QString& path, const QString& text)
{
    RecoverySnapshot s;
    s.path = path;
    s.text = text;
    return s;
}

// A real process that opens a store in folder, writes the snapshots and is
// killed with SIGKILL: its lock goes with it, its files stay.
void runAndKill(const QString& folder, const QList<RecoverySnapshot>& snapshots)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RecoveryStore store(folder);
        if (!store.open())
            ::_exit(3);
        for (int i = 0; i < snapshots.size(); ++i) {
            if (!store.write(i + 1, snapshots.at(i)).ok)
                ::_exit(4);
        }
        ::raise(SIGKILL);
        ::_exit(5);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child ended with " << WEXITSTATUS(status);
    ASSERT_EQ(WTERMSIG(status), SIGKILL);
}

QStringList pathsOf(const QList<RecoveryStore::Orphan>& orphans)
{
    QStringList paths;
    for (const auto& o : orphans)
        paths << o.snapshot.path;
    paths.sort();
    return paths;
}

QStringList snapshotFiles(const QString& folder)
{
    return QDir(folder).entryList({u"*.snapshot"_s}, QDir::Files);
}

} // namespace

TEST(RecoverySnapshot, EverythingNeededComesBackExactly)
{
    struct Case
    {
        QString path;
        TextEncoding encoding;
        LineBreak lineBreak;
        QString text;
        std::optional<FileStamp> stamp = std::nullopt;
    };
    const Case cases[] = {
        {u"/home/jana/web/index.html"_s, TextEncoding::Windows1250, LineBreak::CrLf,
         u"<p>Žluťoučký kůň</p>\r\n"_s,
         FileStamp{true, 1234, 1733840000123456789, 2049, 0xFFFFFFFFFFFFFFF0ull}},
        // A file that was gone when the copy was taken.
        {u"/w/smazaný.html"_s, TextEncoding::Utf8, LineBreak::CrLf, u"x"_s, FileStamp{}},
        {u"dokument3"_s, TextEncoding::Utf8, LineBreak::Lf, QString()},
        // Spaces, a colon, line breaks and percent signs in the path survive
        // the header; the text may itself look like a header.
        {u"/tmp/a b: c%20\nd.htm"_s, TextEncoding::Utf8Bom, LineBreak::Cr,
         u"pid: 1\n\npath: x\r\n\r\n€"_s},
        {u"/x/ř.html"_s, TextEncoding::Windows1250, LineBreak::LfCr, u"a\r\nb"_s},
    };
    for (const Case& c : cases) {
        RecoverySnapshot in;
        in.path = c.path;
        in.encoding = c.encoding;
        in.lineBreak = c.lineBreak;
        in.text = c.text;
        in.stamp = c.stamp;
        in.ownerPid = 4242;
        in.instanceId = u"4242-xyz"_s;
        RecoverySnapshot header = in;
        header.text = u"not this"_s;
        EXPECT_EQ(encodeSnapshot(header, in.text.toUtf8()), encodeSnapshot(in));
        const auto out = decodeSnapshot(encodeSnapshot(in));
        ASSERT_TRUE(out.has_value()) << c.path.toStdString();
        EXPECT_EQ(out->path, c.path);
        EXPECT_EQ(out->encoding, c.encoding);
        EXPECT_EQ(out->lineBreak, c.lineBreak);
        EXPECT_EQ(out->text, c.text);
        EXPECT_EQ(out->stamp, c.stamp);
        EXPECT_EQ(out->ownerPid, 4242);
        EXPECT_EQ(out->instanceId, u"4242-xyz"_s);
    }
}

TEST(RecoverySnapshot, BytesThatAreNoSnapshotAreRefused)
{
    RecoverySnapshot s = snapshot(u"/a.html"_s, u"text"_s);
    s.instanceId = u"1-a"_s;
    const QByteArray good = encodeSnapshot(s);
    ASSERT_TRUE(decodeSnapshot(good).has_value());
    ASSERT_TRUE(
        decodeSnapshot(QByteArray(good).replace("linebreak: WIN\n",
                                                "linebreak: WIN\nstamp: 1%202%203%204%205\n"))
            .has_value());
    QByteArray noEnd = good.left(good.indexOf("\n\n"));
    const QByteArray cases[] = {
        QByteArray(),
        "<html>",
        QByteArray(good).replace("QUENWICK-RECOVERY 1", "QUENWICK-RECOVERY 2"),
        QByteArray(good).replace("encoding: windows-1250", "encoding: latin-1"),
        QByteArray(good).replace("linebreak: WIN", "linebreak: DOS"),
        QByteArray(good).replace("path: %2Fa.html", "path: "),
        QByteArray(good).replace("pid: ", "pid: x"),
        QByteArray(good).replace("instance: ", "owner: "),
        noEnd, // cut inside the header
        QByteArray(good).replace("linebreak: WIN\n", "linebreak: WIN\nstamp: 1%2012%203\n"),
        QByteArray(good).replace("linebreak: WIN\n", "linebreak: WIN\nstamp: 1%20a%203%204%205\n"),
    };
    for (const QByteArray& bytes : cases)
        EXPECT_FALSE(decodeSnapshot(bytes).has_value()) << bytes.left(120).toStdString();
}

TEST(RecoveryFolder, StateHomeWhenAbsoluteElseBelowHome)
{
    auto env = [](const QString& state) {
        QProcessEnvironment e;
        e.insert(u"HOME"_s, u"/home/jana"_s);
        if (!state.isNull())
            e.insert(u"XDG_STATE_HOME"_s, state);
        return e;
    };
    EXPECT_EQ(recoveryFolder(env(u"/var/st/"_s)), u"/var/st/Quenwick/recovery/"_s);
    EXPECT_EQ(recoveryFolder(env(QString())), u"/home/jana/.local/state/Quenwick/recovery/"_s);
    EXPECT_EQ(recoveryFolder(env(u"relative"_s)), u"/home/jana/.local/state/Quenwick/recovery/"_s);
}

TEST(RecoveryFolder, PrivateFolderIsMadeTightenedOrRefused)
{
    QTemporaryDir dir;
    const QString made = dir.filePath(u"state/Quenwick/recovery"_s);
    ASSERT_TRUE(preparePrivateFolder(made));
    EXPECT_EQ(modeOf(made) & 0777, 0700u);

    const QString loose = dir.filePath(u"loose"_s);
    ASSERT_TRUE(QDir().mkpath(loose));
    ASSERT_EQ(::chmod(QFile::encodeName(loose).constData(), 0755), 0);
    ASSERT_TRUE(preparePrivateFolder(loose));
    EXPECT_EQ(modeOf(loose) & 0777, 0700u);

    // A link planted where the folder belongs, pointing at a folder another
    // program reads, is never followed.
    const QString target = dir.filePath(u"elsewhere"_s);
    ASSERT_TRUE(QDir().mkpath(target));
    const QString planted = dir.filePath(u"planted"_s);
    ASSERT_TRUE(QFile::link(target, planted));
    EXPECT_FALSE(preparePrivateFolder(planted));
    RecoveryStore store(planted);
    EXPECT_FALSE(store.open());
    EXPECT_TRUE(QDir(target).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // A regular file in the way, of the folder or of a parent (also for root).
    const QString file = dir.filePath(u"file"_s);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_FALSE(preparePrivateFolder(file));
    EXPECT_FALSE(preparePrivateFolder(file + u"/recovery"_s));
}

TEST(RecoveryStore, SnapshotsOfAKilledInstanceAreOrphansOfARunningOneAreNot)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"rec/"_s);
    runAndKill(folder, {snapshot(u"/w/a.html"_s, u"A"_s), snapshot(u"dokument2"_s, u"B"_s)});

    RecoveryStore running(folder);
    ASSERT_TRUE(running.open());
    ASSERT_TRUE(running.write(7, snapshot(u"/w/running.html"_s, u"R"_s)).ok);

    RecoveryStore next(folder);
    ASSERT_TRUE(next.open());
    const auto orphans = next.claimOrphans();
    EXPECT_EQ(pathsOf(orphans), (QStringList{u"/w/a.html"_s, u"dokument2"_s}));
    for (const auto& o : orphans)
        EXPECT_EQ(o.snapshot.text, o.snapshot.path == u"dokument2"_s ? u"B"_s : u"A"_s);
    // While one instance holds the claim, a third takes nothing.
    RecoveryStore third(folder);
    ASSERT_TRUE(third.open());
    EXPECT_TRUE(third.claimOrphans().isEmpty());

    next.discardClaimed();
    EXPECT_EQ(snapshotFiles(folder), QStringList{QFileInfo(running.fileOf(7)).fileName()});
    // Locks of the gone instance went with its files; the running ones stay.
    EXPECT_EQ(QDir(folder).entryList({u"*.lock"_s}, QDir::Files).size(), 3);
    EXPECT_TRUE(third.claimOrphans().isEmpty());
}

TEST(RecoveryStore, ReleasedClaimsAreOfferedAgainAndOwnFilesGoOneByOne)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"rec/"_s);
    runAndKill(folder, {snapshot(u"/w/a.html"_s, u"A"_s)});
    {
        RecoveryStore first(folder);
        ASSERT_TRUE(first.open());
        EXPECT_EQ(first.claimOrphans().size(), 1);
        // Ends without deciding (as a crash during the question would).
    }
    RecoveryStore second(folder);
    ASSERT_TRUE(second.open());
    EXPECT_EQ(pathsOf(second.claimOrphans()), QStringList{u"/w/a.html"_s});
    second.discardClaimed();
    EXPECT_TRUE(snapshotFiles(folder).isEmpty());
    ASSERT_TRUE(second.write(1, snapshot(u"/w/b.html"_s, u"B"_s)).ok);
    EXPECT_EQ(modeOf(second.fileOf(1)) & 0777, 0600u);
    EXPECT_EQ(second.ownFiles(), QStringList{second.fileOf(1)});
    EXPECT_TRUE(second.remove(1));
    EXPECT_TRUE(second.remove(1)); // already gone is fine
    EXPECT_TRUE(second.ownFiles().isEmpty());
}

TEST(RecoveryStore, AKilledInstanceWithNothingUnsavedLeavesNothingForLong)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"rec/"_s);
    runAndKill(folder, {});
    runAndKill(folder, {});
    ASSERT_EQ(QDir(folder).entryList({u"*.lock"_s}, QDir::Files).size(), 2);
    RecoveryStore store(folder);
    ASSERT_TRUE(store.open());
    EXPECT_TRUE(store.claimOrphans().isEmpty());
    store.discardClaimed();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{store.instanceId() + u".lock"_s});
}

TEST(RecoveryStore, ForeignAndUnreadableFilesAreNotOffered)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"rec/"_s);
    runAndKill(folder, {snapshot(u"/w/a.html"_s, u"A"_s)});
    const QString broken = folder + snapshotFiles(folder).first();
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a snapshot");
    f.close();
    // A file of a name no instance writes.
    QFile other(folder + u"notes.snapshot"_s);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    RecoveryStore store(folder);
    ASSERT_TRUE(store.open());
    EXPECT_TRUE(store.claimOrphans().isEmpty());
    store.discardClaimed();
    // The dead instance's unreadable file is cleared with it.
    EXPECT_EQ(snapshotFiles(folder), QStringList{u"notes.snapshot"_s});
}
