#include "app/shell/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace qw {

namespace {
constexpr int ConnectTimeoutMs = 1000;
constexpr int ReplyTimeoutMs = 5000;
constexpr int LockTimeoutMs = 10000;
const char Receipt = '\x06';
} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent),
      m_socketPath(socketPath.isEmpty() ? defaultSocketPath() : std::move(socketPath))
{}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultSocketPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(QStringLiteral("quenwick.socket"));
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("quenwick-%1.socket").arg(static_cast<qulonglong>(::getuid())));
}

SingleInstance::Role SingleInstance::start(const QString& path)
{
    if (handOff(path))
        return Role::HandedOff;

    // Nobody answered. Starts that race each other queue on the lock; the
    // winner checks once more, then clears any stale socket and listens.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(LockTimeoutMs))
        return handOff(path) ? Role::HandedOff : Role::Failed;
    if (handOff(path))
        return Role::HandedOff;
    return listen() ? Role::Primary : Role::Failed;
}

bool SingleInstance::handOff(const QString& path) const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    stream << path;
    socket.write(message);
    if (!socket.waitForBytesWritten(ReplyTimeoutMs))
        return false;
    // The receipt says the path is in the running instance's hands; without
    // it the path could be lost, so the caller would start on its own.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(ReplyTimeoutMs))
            return false;
    }
    char reply = 0;
    return socket.getChar(&reply) && reply == Receipt;
}

bool SingleInstance::listen()
{
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_socketPath))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QString path;
            in >> path;
            if (!in.commitTransaction())
                return; // wait for the rest of the message
            socket->putChar(Receipt);
            socket->flush();
            Q_EMIT pathReceived(path);
        });
    }
}

} // namespace qw
