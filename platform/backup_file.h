// What a save does beside writing the new file, so that a dictionary in a
// shared folder stays safe: the backup it keeps of the file it replaces (one
// generation, beside the file, under the file's name with ".bak" added), and
// the permissions and group that its new files take over from that file.
// A dictionary that is a symbolic link is saved at the link's target, and
// its backup lies beside the target.
#pragma once

#include <QFileDevice>
#include <QString>
#include <optional>

namespace quorbex::platform {

QString BackupPath(const QString& path);

// Copies the file at path to its backup, replacing the previous backup only
// once the copy is complete. The backup is a new file written beside it and
// renamed over it, so that a backup that is a link is replaced, never
// followed; it gets the file's permissions and group. True when the copy is
// complete or there is no file at path; false with the cause in reason, the
// previous backup then left as it was.
bool KeepBackup(const QString& path, QString& reason);

// Gives file, open to replace the file at path, that file's permissions and
// group where the user may. Nothing when it kept them, or when there is no
// file at path; otherwise the name of the group that it could not keep, and
// the file then has no group permissions.
std::optional<QString> KeepOwnership(QFileDevice& file, const QString& path);

}  // namespace quorbex::platform
