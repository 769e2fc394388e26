// One running instance per user. The first instance holds a lock file and
// listens on a local socket in the user's runtime folder; a later start
// finds the lock taken and can hand its requests to the first instance.
// A lock or socket left behind by a crashed instance is taken over.
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

signals:
    // Requests that a later start handed over.
    void requestsReceived(const QStringList& requests);

private:
    void ReadConnection();

    QString m_socketPath;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

}  // namespace quorbex::platform
