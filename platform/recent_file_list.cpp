#include "platform/recent_file_list.h"

#include <QFileInfo>

namespace quorbex::platform {

namespace {

bool SameFile(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty()) {
        return canonicalA == canonicalB;
    }
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeIf([&absolute](const QString& entry) { return SameFile(entry, absolute); });
    m_paths.prepend(absolute);
    while (m_paths.size() > m_size) {
        m_paths.removeLast();
    }
    emit changed();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < m_paths.size()) {
        m_paths.removeAt(index);
        emit changed();
    }
}

}  // namespace quorbex::platform
