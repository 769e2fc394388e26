#include "profile.h"

#include <QSettings>

namespace quorbex::platform {

namespace {

const QString SECTION = QStringLiteral("Recent File List");

QString ValueName(int number) {
    return QStringLiteral("File%1").arg(number);
}

}  // namespace

QStringList ReadRecentFileList(QSettings& settings, int size) {
    QStringList paths;
    settings.beginGroup(SECTION);
    for (int number = 1; number <= size; ++number) {
        const QString path = settings.value(ValueName(number)).toString();
        if (!path.isEmpty()) {
            paths.append(path);
        }
    }
    settings.endGroup();
    return paths;
}

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

QStringList ReadRecentFilesUntilGap(QSettings& settings, int size) {
    QStringList paths;
    settings.beginGroup(SECTION);
    for (int number = 1; number <= size; ++number) {
        const QString path = settings.value(ValueName(number)).toString();
        if (path.isEmpty()) {
            break;
        }
        paths.append(path);
    }
    settings.endGroup();
    return paths;
}

}  // namespace quorbex::platform
