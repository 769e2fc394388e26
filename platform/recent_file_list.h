// The most recently opened or saved files, newest first.
#pragma once

#include <QStringList>
#include <functional>

namespace quorbex::platform {

class RecentFileList {
public:
    explicit RecentFileList(int size) : m_size(size) {}

    // Puts path first; an entry for the same file moves up instead of repeating.
    void Add(const QString& path);
    void Remove(int index);
    // Called after every change of the list.
    void SetChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    const QStringList& Paths() const { return m_paths; }
    int Size() const { return m_size; }

private:
    int m_size;
    QStringList m_paths;
    std::function<void()> m_changed;
};

}  // namespace quorbex::platform
