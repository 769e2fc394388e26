// One running instance per user. The first instance holds a lock file and
// listens on a local socket in the user's runtime folder; a later start
// finds the lock taken and can hand its requests to the first instance.
// A lock or socket left behind by a crashed instance is taken over.
//
// Only a runtime folder that is the user's alone is used (no link, the
// user's, nobody else can write in it): in a shared folder another user
// could plant a lock that stops the program, or a socket that is handed the
// user's files. Without one every start runs on its own. Both ends of the
// socket check that the other is a process of the same user.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

class QLocalServer;

namespace quorbex::platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // name identifies the program within the user's runtime folder.
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True if this is now the one running instance; false if another runs.
    bool Acquire();
    // Hands requests to the running instance; false if it could not be reached.
    bool SendToRunningInstance(const QStringList& requests);
    // Gives up being the running instance.
    void Release();

    QString SocketPath() const { return m_socketPath; }
    // Whether there is a private runtime folder for the lock and the socket.
    bool HasFolder() const { return !m_socketPath.isEmpty(); }

signals:
    // Requests that a later start handed over.
    void requestsReceived(const QStringList& requests);

private:
    // With the lock and the socket in folder; none when folder is empty.
    SingleInstance(const QString& name, const QString& folder, QObject* parent);
    void ReadConnection();

    QString m_socketPath;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

}  // namespace quorbex::platform
