#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace qw {

// One Quenwick per user. The first start listens on a per-user local socket
// that only its owner may open; a later start connects, hands over the
// absolute path of its file (or an empty text), waits for the receipt and
// ends. A lock file serialises starts that race each other, and a socket left
// behind by a crashed instance is removed by whoever holds that lock, so it
// never blocks the next start. Every later start gets its own connection,
// so two starts in quick succession both arrive.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // socketPath: where the socket lives; empty picks the per-user default
    // (XDG_RUNTIME_DIR, else the temporary folder with the user id).
    explicit SingleInstance(QString socketPath = QString(), QObject* parent = nullptr);
    ~SingleInstance() override;

    enum class Role { Primary, HandedOff, Failed };

    // Becomes the primary instance, or hands `path` to the running one.
    // Failed means neither worked (the caller then runs on its own).
    Role start(const QString& path);

    QString socketPath() const { return m_socketPath; }
    static QString defaultSocketPath();

Q_SIGNALS:
    // A later start handed over this path (empty when it named no file).
    void pathReceived(const QString& path);

private:
    bool handOff(const QString& path) const;
    bool listen();
    void acceptConnections();

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};

} // namespace qw
