// A File on disk, through a POSIX file descriptor, and the replacement of a
// file on disk by a new version written in full beside it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "store/file.h"

namespace quorbex {

class DiskFile final : public File {
public:
    enum class Mode {
        Read,         // an existing file, read only
        CreateWrite,  // created, or emptied if it exists, for writing
    };

    // Opens path; on failure answers nothing and leaves errno set.
    static std::unique_ptr<DiskFile> Open(const std::string& path, Mode mode);
    ~DiskFile() override;

    DiskFile(const DiskFile&) = delete;
    DiskFile& operator=(const DiskFile&) = delete;

    bool SeekToBegin() override;
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    bool SetLength(std::uint64_t length) override;

    // Flushes the file to the disk and closes it; false if anything failed.
    bool Close();

private:
    friend class FileReplacement;
    explicit DiskFile(int descriptor) : m_descriptor(descriptor) {}

    int m_descriptor;
};

// A new version of a file, written in full beside it and then moved into its
// place in one step: the name never holds a half-written file, and the old
// version stays until the new one is complete on the disk. A symbolic link at
// the name is followed to the file it leads to, which is the one replaced,
// so the link stays a link. The new version takes the permission bits, group
// and owner of the file it replaces, as far as the system lets this process
// give them (the owner only to the superuser); where the group cannot be
// kept, the group's permissions are dropped rather than handed to another
// group. A file that did not exist gets the mode and group of any new file.
//
// POSIX calls: open with O_CREAT | O_EXCL | O_NOFOLLOW, fstat, fchown,
// fchmod, fsync, and Linux's renameat2 with RENAME_NOREPLACE. On Windows,
// ReplaceFileW keeps the replaced file's attributes and access list, and
// MoveFileExW without MOVEFILE_REPLACE_EXISTING refuses an existing file; on
// macOS, renamex_np with RENAME_EXCL does the latter.
class FileReplacement {
public:
    enum class Existing {
        Replace,  // a file at the name is replaced
        Refuse,   // the move fails if the name holds anything, even if it came meanwhile
    };
    enum class Problem {
        None,
        CannotFollowLink,  // the name is a symbolic link to nothing, or in a loop
        NotRegularFile,    // the name leads to a folder, a device, a pipe or a socket
        CannotCreate,      // no new file can be made in the folder
        CannotWrite,       // writing the new version or flushing it failed
        Exists,            // Refuse, and the name holds something
        CannotMove,        // the new version could not be moved into place
    };

    // Creates the new version, empty, beside the file path names.
    FileReplacement(const std::string& path, Existing existing);
    // Removes the new version unless it was moved into place.
    ~FileReplacement();

    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The new version to write; nothing when it could not be created.
    File* Contents() { return m_contents.get(); }
    // Flushes the new version to the disk and moves it into place; false,
    // with the file named left as it was, when anything fails.
    bool Commit();

    Problem GetProblem() const { return m_problem; }
    // The system's error number of the failure, where it has one.
    int GetError() const { return m_error; }
    // The file replaced: path, or where its symbolic links lead.
    const std::string& GetTarget() const { return m_target; }
    // The folder the new version is written in, the target's.
    const std::string& GetFolder() const { return m_folder; }
    // The group of the file replaced, when the new version could not take it.
    std::optional<unsigned> LostGroup() const { return m_lostGroup; }

private:
    void Fail(Problem problem, int error);
    void CreateBeside();

    Existing m_existing;
    std::string m_target;
    std::string m_folder;
    std::string m_newPath;  // empty once moved into place or never created
    std::unique_ptr<DiskFile> m_contents;
    Problem m_problem = Problem::None;
    int m_error = 0;
    std::optional<unsigned> m_lostGroup;
};

}  // namespace quorbex
