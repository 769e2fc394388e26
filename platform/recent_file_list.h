// The most recently opened or saved files, newest first.
#pragma once

#include <QObject>
#include <QStringList>

namespace quorbex::platform {

class RecentFileList : public QObject {
    Q_OBJECT
public:
    explicit RecentFileList(int size) : m_size(size) {}

    // Puts path first; an entry for the same file moves up instead of repeating.
    void Add(const QString& path);
    void Remove(int index);

    const QStringList& Paths() const { return m_paths; }

signals:
    void changed();

private:
    int m_size;
    QStringList m_paths;
};

}  // namespace quorbex::platform
