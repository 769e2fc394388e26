// A named pipe that no program writes to, as a hostile or careless folder
// holds one, and a watchdog over it: should anything block opening it for
// reading, the watchdog opens it for writing after a while, which lets the
// reader go on, and notes that it had to. A test that blocks on the pipe
// then fails instead of hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <atomic>
#include <chrono>
#include <thread>

namespace quorbex::testing {

class UnwrittenPipe {
public:
    static constexpr std::chrono::milliseconds PATIENCE{5000};

    explicit UnwrittenPipe(const QString& path)
        : m_name(QFile::encodeName(path)),
          m_created(::mkfifo(m_name.constData(), 0600) == 0),
          m_watchdog([this] { Watch(); }) {}
    ~UnwrittenPipe() {
        m_done = true;
        m_watchdog.join();
    }
    UnwrittenPipe(const UnwrittenPipe&) = delete;
    UnwrittenPipe& operator=(const UnwrittenPipe&) = delete;

    bool Created() const { return m_created; }
    // Whether a reader blocked on the pipe and had to be let go.
    bool Blocked() const { return m_blocked; }

private:
    void Watch() {
        const auto start = std::chrono::steady_clock::now();
        while (!m_done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::chrono::steady_clock::now() - start < PATIENCE) {
                continue;
            }
            // Succeeds only while a reader has the pipe open, or waits to.
            const int writer = ::open(m_name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writer >= 0) {
                m_blocked = true;
                ::close(writer);
            }
        }
    }

    QByteArray m_name;
    bool m_created;
    std::atomic<bool> m_done = false;
    std::atomic<bool> m_blocked = false;
    std::thread m_watchdog;
};

}  // namespace quorbex::testing
