#include "core/recovery/RecoveryStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace qw {

namespace {
const QString kLockSuffix = u".lock"_s;
const QString kSnapshotSuffix = u".snapshot"_s;

// Opens (creating) a lock file and takes its lock without waiting; -1 when
// another process holds it or it cannot be opened. Never follows a link.
int lockFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

QString newInstanceId()
{
    const quint64 random = QRandomGenerator::system()->generate64();
    return QString::number(::getpid()) + u'-' + QString::number(random, 36);
}

// "<id>-<slot>.snapshot" → "<id>" (ids hold one "-" themselves).
QString idOfSnapshot(const QString& fileName)
{
    const QString stem = fileName.chopped(kSnapshotSuffix.size());
    const qsizetype dash = stem.lastIndexOf(u'-');
    return dash > 0 ? stem.first(dash) : QString();
}
} // namespace

QString recoveryFolder(const QProcessEnvironment& env)
{
    QString state = env.value(u"XDG_STATE_HOME"_s);
    if (!QDir::isAbsolutePath(state))
        state = env.value(u"HOME"_s, QDir::homePath()) + u"/.local/state"_s;
    return QDir::cleanPath(state) + u"/Quenwick/recovery/"_s;
}

bool preparePrivateFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    const QFileInfo info(clean);
    // Parents are made with the usual mode; only the last one holds texts.
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    const QByteArray name = QFile::encodeName(clean);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st
    {
    };
    if (::lstat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(name.constData(), 0700) != 0)
        return false;
    return true;
}

RecoveryStore::RecoveryStore(QString folder) : m_folder(std::move(folder))
{
    if (!m_folder.endsWith(u'/'))
        m_folder += u'/';
}

RecoveryStore::~RecoveryStore()
{
    releaseClaimed();
    if (m_lockFd >= 0) {
        QFile::remove(m_folder + m_id + kLockSuffix);
        ::close(m_lockFd);
    }
}

bool RecoveryStore::open()
{
    if (isOpen())
        return true;
    if (!preparePrivateFolder(m_folder))
        return false;
    m_id = newInstanceId();
    // Locked under a name nobody looks at, then renamed into place: a lock
    // file is never seen unlocked while its instance runs.
    const QString locking = m_folder + m_id + u".locking"_s;
    const int fd = lockFile(locking);
    if (fd < 0)
        return false;
    if (!QFile::rename(locking, m_folder + m_id + kLockSuffix)) {
        QFile::remove(locking);
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

QString RecoveryStore::fileOf(int slot) const
{
    return m_folder + m_id + u'-' + QString::number(slot) + kSnapshotSuffix;
}

FileWriteResult RecoveryStore::write(int slot, RecoverySnapshot snapshot) const
{
    const QByteArray utf8 = snapshot.text.toUtf8();
    snapshot.text.clear();
    return write(slot, std::move(snapshot), utf8);
}

FileWriteResult RecoveryStore::write(int slot, RecoverySnapshot header,
                                     QByteArrayView utf8Text) const
{
    if (!isOpen())
        return {false, QString()};
    header.ownerPid = ::getpid();
    header.instanceId = m_id;
    const QByteArray bytes = encodeSnapshot(header, utf8Text);
    // Owner-only like the folder: the texts are the user's unsaved work.
    QSaveFile file(fileOf(slot));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, QString()};
}

bool RecoveryStore::remove(int slot) const
{
    const QString file = fileOf(slot);
    return QFile::remove(file) || !QFile::exists(file);
}

QStringList RecoveryStore::ownFiles() const
{
    QStringList files;
    if (!isOpen())
        return files;
    const QStringList names = QDir(m_folder).entryList({m_id + u"-*"_s + kSnapshotSuffix},
                                                       QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        files << m_folder + name;
    return files;
}

QList<RecoveryStore::Orphan> RecoveryStore::claimOrphans()
{
    QList<Orphan> orphans;
    if (!isOpen())
        return orphans;
    const QDir dir(m_folder);
    const QStringList snapshots =
        dir.entryList({u"*"_s + kSnapshotSuffix}, QDir::Files | QDir::Hidden, QDir::Name);
    // Every instance that left something: a lock file, snapshots, or both.
    QStringList ids;
    for (const QString& name : dir.entryList({u"*"_s + kLockSuffix}, QDir::Files | QDir::Hidden))
        ids << name.chopped(kLockSuffix.size());
    for (const QString& name : snapshots)
        ids << idOfSnapshot(name);
    ids.removeDuplicates();
    for (const QString& id : std::as_const(ids)) {
        if (id.isEmpty() || id == m_id || claimed(id))
            continue;
        // A lock somebody holds is a running instance's; one nobody holds
        // (or a missing one) is made ours until the claim ends.
        const int fd = lockFile(m_folder + id + kLockSuffix);
        if (fd >= 0)
            m_claims.append({id, fd});
    }
    for (const QString& name : snapshots) {
        if (!claimed(idOfSnapshot(name)))
            continue;
        QFile file(m_folder + name);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (auto snapshot = decodeSnapshot(file.readAll()))
            orphans.append({m_folder + name, std::move(*snapshot)});
    }
    return orphans;
}

bool RecoveryStore::claimed(const QString& id) const
{
    for (const Claim& c : m_claims) {
        if (c.id == id)
            return true;
    }
    return false;
}

void RecoveryStore::discardClaimed()
{
    const QDir dir(m_folder);
    for (const Claim& c : std::as_const(m_claims)) {
        const QStringList names =
            dir.entryList({c.id + u"-*"_s + kSnapshotSuffix}, QDir::Files | QDir::Hidden);
        for (const QString& name : names) {
            if (idOfSnapshot(name) == c.id)
                QFile::remove(m_folder + name);
        }
    }
    for (const Claim& c : std::as_const(m_claims))
        QFile::remove(m_folder + c.id + kLockSuffix);
    releaseClaimed();
}

void RecoveryStore::releaseClaimed()
{
    for (const Claim& c : std::as_const(m_claims))
        ::close(c.fd);
    m_claims.clear();
}

} // namespace qw
