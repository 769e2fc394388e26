#include "platform/profile.h"

#include <QSettings>

#include "platform/file_names.h"

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
        const QVariant value = settings.value(ValueName(number));
        const QString path = value.typeId() == QMetaType::QByteArray
                                 ? DecodeFileName(value.toByteArray())
                                 : value.toString();
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
            // A name that is not UTF-8 is kept as its bytes.
            const QString& path = paths[number - 1];
            settings.setValue(ValueName(number),
                              QtCanName(path) ? QVariant(path) : QVariant(EncodeFileName(path)));
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
