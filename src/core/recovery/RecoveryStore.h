#pragma once

#include "core/recovery/RecoverySnapshot.h"
#include "core/text/AtomicFileWriter.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>

namespace qw {

// "Quenwick/recovery" in the user's state folder: XDG_STATE_HOME when it is
// absolute, else ~/.local/state. With a trailing "/".
QString recoveryFolder(const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());

// Makes folder (and its parents) and makes sure it is a real folder of this
// user that nobody else may enter, tightening a looser mode. False for a
// planted link, another user's folder or a path that cannot be a folder.
bool preparePrivateFolder(const QString& folder);

// One running program's recovery files. Each instance has an id of its own
// and a lock file "<id>.lock" it holds (flock) while it runs; its snapshots
// are "<id>-<slot>.snapshot". The system drops the lock of a killed process,
// so files whose lock nobody holds belong to an instance that is gone, and a
// running instance's files are never taken by another.
//
// write() and remove() only touch their own files and may run on a worker
// thread while the owning thread does nothing else with the store.
class RecoveryStore
{
public:
    explicit RecoveryStore(QString folder);
    // Drops the lock and its file; the snapshots stay (a clean exit removes
    // them before, a crash never gets here).
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Prepares the folder and takes this instance's lock.
    bool open();
    bool isOpen() const { return m_lockFd >= 0; }
    const QString& folder() const { return m_folder; }
    const QString& instanceId() const { return m_id; }

    QString fileOf(int slot) const;
    // Writes the snapshot atomically; pid and id are filled in here. The
    // second form takes the text as UTF-8 bytes instead of snapshot.text.
    FileWriteResult write(int slot, RecoverySnapshot snapshot) const;
    FileWriteResult write(int slot, RecoverySnapshot header, QByteArrayView utf8Text) const;
    // Removes a slot's file (true when it is gone).
    bool remove(int slot) const;
    // This instance's snapshot files on disk.
    QStringList ownFiles() const;

    // Snapshots left by instances that are no longer running. Claiming holds
    // their locks, so nobody else claims them meanwhile, until the claim is
    // discarded or released. A gone instance that left only its lock is
    // claimed too, so discarding clears it.
    struct Orphan
    {
        QString file;
        RecoverySnapshot snapshot;
    };
    QList<Orphan> claimOrphans();
    // Removes every file of the claimed instances (snapshots that could not
    // be read included) and their locks.
    void discardClaimed();
    // Gives the claimed locks back without removing anything.
    void releaseClaimed();

private:
    struct Claim
    {
        QString id;
        int fd = -1;
    };
    bool claimed(const QString& id) const;

    QString m_folder;
    QString m_id;
    int m_lockFd = -1;
    QList<Claim> m_claims;
};

} // namespace qw
