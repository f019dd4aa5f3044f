#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLockFile;

namespace qw {

// One Quenwick per user. The first start listens on a per-user local socket
// that only its owner may open; a later start connects, hands over the
// absolute path of its file (or an empty text), waits for the receipt and
// ends. Every later start gets its own connection, so starts in quick
// succession all arrive; the files one start names go over together, in
// their order.
//
// The instance that listens holds a lock file beside the socket for as long
// as it runs. A start that finds nobody listening but the lock held knows a
// first instance is on its way and waits for its socket instead of listening
// itself, so starts that race each other end with one listener. The lock of
// a crashed instance is stale (its process is gone), so whoever takes it
// next removes the socket left behind, which never blocks a start. Once
// connected, a start waits for the receipt as long as a slow first start
// may take to reach its event loop; giving up earlier would lose the path
// or hand it over twice.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // socketPath: where the socket lives; empty picks the per-user default
    // (XDG_RUNTIME_DIR, else the temporary folder with the user id).
    explicit SingleInstance(QString socketPath = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Role { Primary, HandedOff, Failed };

    // Becomes the primary instance, or hands `paths` to the running one.
    // Failed means neither worked (the caller then runs on its own).
    Role start(const QStringList& paths);

    QString socketPath() const { return m_socketPath; }
    static QString defaultSocketPath();

Q_SIGNALS:
    // A later start handed over these paths, in its order (none when it
    // named no file).
    void pathsReceived(const QStringList& paths);

private:
    enum class HandOff { Delivered, NoListener, Unanswered };
    HandOff handOff(const QStringList& paths) const;
    bool listen();
    void acceptConnections();

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace qw
