// The backup a save keeps of the file it replaces: one generation, beside
// the file, under the file's name with ".bak" added.
#pragma once

#include <QString>

namespace quorbex::platform {

QString BackupPath(const QString& path);

// Copies the file at path to its backup, replacing the previous backup only
// once the copy is complete. True when the copy is complete or there is no
// file at path; false with the cause in reason, the previous backup then
// left as it was.
bool KeepBackup(const QString& path, QString& reason);

}  // namespace quorbex::platform
