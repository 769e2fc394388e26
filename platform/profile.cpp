#include "platform/profile.h"

#include <QSettings>

namespace quorbex::platform {

namespace {

const QString SECTION = QStringLiteral("Recent File List");

QString ValueName(int number) {
    return QStringLiteral("File%1").arg(number);
}

// File1 to FileN; a missing or empty value ends the list or is skipped.
QStringList ReadRecentValues(QSettings& settings, int size, bool stopAtGap) {
    QStringList paths;
    settings.beginGroup(SECTION);
    for (int number = 1; number <= size; ++number) {
        const QString path = settings.value(ValueName(number)).toString();
        if (!path.isEmpty()) {
            paths.append(path);
        } else if (stopAtGap) {
            break;
        }
    }
    settings.endGroup();
    return paths;
}

}  // namespace

void WriteRecentFileList(QSettings& settings, const QStringList& paths, int size) {
    settings.beginGroup(SECTION);
    for (int number = 1; number <= size; ++number) {
        if (number <= paths.size()) {
            settings.setValue(ValueName(number), paths[number - 1]);
        } else {
            settings.remove(ValueName(number));
        }
    }
    settings.endGroup();
    settings.sync();
}

QStringList ReadRecentFileList(QSettings& settings, int size) {
    return ReadRecentValues(settings, size, false);
}

QStringList ReadRecentFilesUntilGap(QSettings& settings, int size) {
    return ReadRecentValues(settings, size, true);
}

}  // namespace quorbex::platform
