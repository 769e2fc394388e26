// A recovery file: the unsaved state of one document, written a few seconds
// after each change so that a crash or a power loss does not lose it. It
// holds the document's file (none for a document never saved), its title,
// the digest of the file's contents as the document last saw them, and the
// document's data as its serialization writes them. A digest of all this
// closes the file, so that a damaged or cut-off file is refused.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace quorbex::platform {

struct RecoveryData {
    QString originalPath;
    QString title;
    std::optional<QByteArray> diskHash;
    QByteArray image;

    bool operator==(const RecoveryData&) const = default;
};

// The files' name ends in this.
inline constexpr char RECOVERY_SUFFIX[] = ".recovery";

QByteArray EncodeRecovery(const RecoveryData& data);
// Nothing unless bytes are exactly what EncodeRecovery makes.
std::optional<RecoveryData> DecodeRecovery(QByteArrayView bytes);

// The folder of the user's recovery files: $XDG_STATE_HOME/quorbex, or
// ~/.local/state/quorbex where that is not set to an absolute path.
QString RecoveryFolder();

}  // namespace quorbex::platform
