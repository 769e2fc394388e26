#include "platform/single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "platform/private_folder.h"

namespace quorbex::platform {

namespace {

// How long a later start keeps trying to reach an instance that has taken
// the lock but may not be listening yet.
constexpr int CONNECT_PATIENCE_MS = 3000;
constexpr int IO_TIMEOUT_MS = 2000;

// Nothing when the user has no runtime folder of their own: Qt gives none
// when its fallback in the temporary folder belongs to someone else.
QString PrivateRuntimeFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !MakePrivateFolder(folder)) {
        return QString();
    }
    return folder;
}

QString PathIn(const QString& folder, const QString& name) {
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}

bool PeerIsThisUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t length = sizeof(peer);
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &length) == 0 &&
           peer.uid == ::geteuid();
}

}  // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : SingleInstance(name, PrivateRuntimeFolder(), parent) {}

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent),
      m_socketPath(PathIn(folder, name + QStringLiteral(".socket"))),
      m_lock(PathIn(folder, name + QStringLiteral(".lock"))) {
    // Only a dead owner makes the lock stale, however old it is.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    Release();
}

bool SingleInstance::Acquire() {
    if (m_server || !HasFolder()) {
        return true;
    }
    if (!m_lock.tryLock(0)) {
        return false;
    }
    // Whatever socket is there belongs to an instance that is gone.
    QLocalServer::removeServer(m_socketPath);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::ReadConnection);
    if (!m_server->listen(m_socketPath)) {
        // Still the one instance; it only cannot be handed requests.
        m_server.reset();
    }
    return true;
}

void SingleInstance::Release() {
    if (m_server) {
        m_server->close();
        m_server.reset();
    }
    if (m_lock.isLocked()) {
        m_lock.unlock();
    }
}

bool SingleInstance::SendToRunningInstance(const QStringList& requests) {
    if (!HasFolder()) {
        return false;
    }
    QLocalSocket socket;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(IO_TIMEOUT_MS)) {
            break;
        }
        if (waited.elapsed() > CONNECT_PATIENCE_MS) {
            return false;
        }
        QThread::msleep(50);
    }
    if (!PeerIsThisUser(socket)) {
        socket.abort();
        return false;
    }
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    stream << requests;
    socket.write(message);
    const bool sent = socket.waitForBytesWritten(IO_TIMEOUT_MS) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::ReadConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (!PeerIsThisUser(*socket)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The whole message has arrived once the sender has hung up.
        const auto read = [this, socket] {
            QDataStream stream(socket->readAll());
            QStringList requests;
            stream >> requests;
            if (stream.status() == QDataStream::Ok && !requests.isEmpty()) {
                emit requestsReceived(requests);
            }
        };
        if (socket->state() != QLocalSocket::ConnectedState) {
            socket->waitForReadyRead(IO_TIMEOUT_MS);
            read();
            socket->deleteLater();
        } else {
            connect(socket, &QLocalSocket::disconnected, this, read);
        }
    }
}

}  // namespace quorbex::platform
