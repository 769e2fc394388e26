// File names as the system gives them: bytes, which need not be UTF-8 (a
// GBK name from a Windows archive, say). Qt turns bytes it cannot read into
// U+FFFD and could then never name the file again; here every byte that is
// not part of UTF-8 text stands for itself as a lone surrogate, U+DC80 to
// U+DCFF, as Python's "surrogateescape" does, so that the name goes back to
// the very same bytes. ShownName shows such bytes as U+FFFD.
#pragma once

#include <QByteArray>
#include <QString>

namespace quorbex::platform {

QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

// Whether Qt's own file classes reach the file at path (its bytes are UTF-8).
bool QtCanName(const QString& path);

// A name by which Qt's file classes reach a folder: the folder's own, or,
// for one that Qt cannot name, /proc/self/fd/N of the folder held open by
// its bytes for as long as this lives.
class QtFolder {
public:
    explicit QtFolder(const QString& folder);
    ~QtFolder();
    QtFolder(const QtFolder&) = delete;
    QtFolder& operator=(const QtFolder&) = delete;

    // Empty when the folder could not be opened.
    const QString& Path() const { return m_path; }

private:
    int m_descriptor = -1;
    QString m_path;
};

}  // namespace quorbex::platform
