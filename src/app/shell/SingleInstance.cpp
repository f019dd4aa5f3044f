#include "app/shell/SingleInstance.h"

#include "core/preview/PreviewFiles.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace qw {

namespace {
constexpr int ConnectTimeoutMs = 1000;
// A first instance under load may take long to build its window before its
// event loop answers; past this it is taken for hung.
constexpr int ReplyTimeoutMs = 60000;
// How long a start waits for another start holding the lock to listen.
constexpr int LockTimeoutMs = 60000;
constexpr int RetryMs = 50;
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
    // A name of our own in the shared temporary folder could be taken by
    // another user's socket, which would then receive our paths: the socket
    // lives in the user's private folder there instead.
    const QString folder = privateTempFolder(QDir::tempPath() + u'/');
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("quenwick.socket");
}

SingleInstance::Role SingleInstance::start(const QStringList& paths)
{
    if (m_socketPath.isEmpty())
        return Role::Failed; // no private place for a socket: run on our own
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        switch (handOff(paths)) {
        case HandOff::Delivered:
            return Role::HandedOff;
        case HandOff::Unanswered:
            // Sent, maybe received: sending again could open it twice.
            return Role::Failed;
        case HandOff::NoListener:
            break;
        }
        auto lock = std::make_unique<QLockFile>(m_socketPath + QStringLiteral(".lock"));
        // Stale only when its process is gone, never by age: the first
        // instance holds it for its whole run.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            if (!listen())
                return Role::Failed;
            m_lock = std::move(lock);
            return Role::Primary;
        }
        if (lock->error() != QLockFile::LockFailedError || waited.elapsed() > LockTimeoutMs)
            return Role::Failed;
        // Another start holds it and is about to listen.
        QThread::msleep(RetryMs);
    }
}

SingleInstance::HandOff SingleInstance::handOff(const QStringList& paths) const
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return HandOff::NoListener;
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    stream << paths;
    socket.write(message);
    if (!socket.waitForBytesWritten(ReplyTimeoutMs))
        return HandOff::Unanswered;
    // The receipt says the path is in the running instance's hands.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(ReplyTimeoutMs))
            return HandOff::Unanswered;
    }
    char reply = 0;
    return socket.getChar(&reply) && reply == Receipt ? HandOff::Delivered : HandOff::Unanswered;
}

bool SingleInstance::listen()
{
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Starts queue here while the window is still being built.
    m_server->setListenBacklogSize(256);
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
            QStringList paths;
            in >> paths;
            if (!in.commitTransaction())
                return; // wait for the rest of the message
            socket->putChar(Receipt);
            socket->flush();
            Q_EMIT pathsReceived(paths);
        });
    }
}

} // namespace qw
