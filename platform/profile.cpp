#include "platform/profile.h"

#include <QSettings>

#include "platform/file_names.h"

namespace quorbex::platform {

namespace {

const QString FILE_SECTION = QStringLiteral("Recent File List");
const QString FILE_VALUE = QStringLiteral("File%1");
const QString QUERY_SECTION = QStringLiteral("Recent Queries");
const QString QUERY_VALUE = QStringLiteral("Query%1");

// Value 1 to size of a numbered list; a missing or empty value ends the list
// or is skipped.
QStringList ReadNumberedValues(QSettings& settings, const QString& section, const QString& name,
                               int size, bool stopAtGap) {
    QStringList values;
    settings.beginGroup(section);
    for (int number = 1; number <= size; ++number) {
        const QVariant value = settings.value(name.arg(number));
        const QString text = value.typeId() == QMetaType::QByteArray
                                 ? DecodeFileName(value.toByteArray())
                                 : value.toString();
        if (!text.isEmpty()) {
            values.append(text);
        } else if (stopAtGap) {
            break;
        }
    }
    settings.endGroup();
    return values;
}

void WriteNumberedValues(QSettings& settings, const QString& section, const QString& name,
                         const QStringList& values, int size) {
    settings.beginGroup(section);
    for (int number = 1; number <= size; ++number) {
        if (number <= values.size()) {
            // A file name that is not UTF-8 is kept as its bytes.
            const QString& text = values[number - 1];
            settings.setValue(name.arg(number),
                              QtCanName(text) ? QVariant(text) : QVariant(EncodeFileName(text)));
        } else {
            settings.remove(name.arg(number));
        }
    }
    settings.endGroup();
    settings.sync();
}

}  // namespace

void WriteRecentFileList(QSettings& settings, const QStringList& paths, int size) {
    WriteNumberedValues(settings, FILE_SECTION, FILE_VALUE, paths, size);
}

QStringList ReadRecentFileList(QSettings& settings, int size) {
    return ReadNumberedValues(settings, FILE_SECTION, FILE_VALUE, size, false);
}

QStringList ReadRecentFilesUntilGap(QSettings& settings, int size) {
    return ReadNumberedValues(settings, FILE_SECTION, FILE_VALUE, size, true);
}

QStringList ReadRecentQueries(QSettings& settings, int size) {
    return ReadNumberedValues(settings, QUERY_SECTION, QUERY_VALUE, size, false);
}

void WriteRecentQueries(QSettings& settings, const QStringList& queries, int size) {
    WriteNumberedValues(settings, QUERY_SECTION, QUERY_VALUE, queries, size);
}

}  // namespace quorbex::platform
