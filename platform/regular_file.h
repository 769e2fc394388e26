// Opening and reading a file, when it is a regular file. A folder, a pipe, a
// device or a socket is refused at once, naming what it is: a pipe that no
// program writes to would otherwise block the reader for ever, and a device
// may never end. This is the POSIX seam (open without blocking, then fstat);
// Windows needs GetFileType on the opened handle instead.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <optional>

namespace quorbex::platform {

struct FileContents {
    std::optional<QByteArray> bytes;  // nothing when the file could not be read
    QString failure;                  // why, in the user's words
};

// Opens path for reading into file when it is a regular file; answers why
// not otherwise, or an empty text when it is open.
QString OpenRegularFile(const QString& path, QFile& file);

FileContents ReadRegularFile(const QString& path);

// Whether the regular file at path holds other bytes than expected; false
// when it cannot be read or is no regular file. A file of another length is
// told apart without reading it.
bool RegularFileDiffersFrom(const QString& path, const QByteArray& expected);

// What lies at path when it is there and no regular file (following links),
// in the user's words; empty otherwise.
QString NonRegularKind(const QString& path);

}  // namespace quorbex::platform
