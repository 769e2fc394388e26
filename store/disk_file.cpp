#include "store/disk_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "store/file_ownership.h"

namespace quorbex {

namespace {

// Makes a rename in folder durable. Best effort: some file systems cannot
// flush a folder, and the file itself is already safely on the disk.
void SyncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

std::unique_ptr<DiskFile> DiskFile::Open(const std::string& path, Mode mode) {
    const int flags =
        mode == Mode::Read ? O_RDONLY | O_CLOEXEC : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int descriptor = ::open(path.c_str(), flags, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    return std::unique_ptr<DiskFile>(new DiskFile(descriptor));
}

DiskFile::~DiskFile() {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
    }
}

bool DiskFile::SeekToBegin() {
    return ::lseek(m_descriptor, 0, SEEK_SET) == 0;
}

std::optional<std::size_t> DiskFile::Read(void* buffer, std::size_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(m_descriptor, bytes + total, count - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

bool DiskFile::Write(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t put = ::write(m_descriptor, bytes + total, count - total);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        total += static_cast<std::size_t>(put);
    }
    return true;
}

bool DiskFile::SetLength(std::uint64_t length) {
    return ::ftruncate(m_descriptor, static_cast<off_t>(length)) == 0;
}

bool DiskFile::Close() {
    const bool synced = ::fsync(m_descriptor) == 0;
    const bool closed = ::close(m_descriptor) == 0;
    m_descriptor = -1;
    return synced && closed;
}

FileReplacement::FileReplacement(const std::string& path, Existing existing)
    : m_existing(existing), m_target(path) {
    std::error_code error;
    // A file that must not be replaced is not looked behind: the move refuses
    // a link at the name like anything else there.
    if (existing == Existing::Replace &&
        std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (error) {
            Fail(Problem::CannotFollowLink, error.value());
            return;
        }
        m_target = resolved.string();
    }
    const std::filesystem::path target(m_target);
    m_folder = target.has_parent_path() ? target.parent_path().string() : std::string(".");
    CreateBeside();
}

void FileReplacement::CreateBeside() {
    struct stat old {};
    const bool replacing = m_existing == Existing::Replace && ::stat(m_target.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        Fail(Problem::NotRegularFile, 0);
        return;
    }
    // Hidden, named after the target. Created private when it replaces a file,
    // so that nobody opens it before it has the old file's permissions;
    // otherwise as any new file, by the umask and the folder's defaults.
    std::string hidden = ".";
    hidden += std::filesystem::path(m_target).filename().string();
    hidden += '.';
    const std::string stem = (std::filesystem::path(m_folder) / hidden).string();
    static constexpr char LETTERS[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> letter(0, sizeof LETTERS - 2);
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        std::string candidate = stem;
        for (int i = 0; i < 6; ++i) {
            candidate += LETTERS[letter(random)];
        }
        descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            replacing ? 0600 : 0666);
        if (descriptor >= 0) {
            m_newPath = std::move(candidate);
        } else if (errno != EEXIST) {
            break;
        }
    }
    if (descriptor < 0) {
        Fail(Problem::CannotCreate, errno);
        return;
    }
    m_contents.reset(new DiskFile(descriptor));
    if (replacing) {
        // The owner only where this process may give it (the superuser's);
        // then the group and the permissions.
        if (::fchown(descriptor, old.st_uid, static_cast<gid_t>(-1)) != 0) {
            errno = 0;
        }
        const FileOwnership ownership{static_cast<unsigned>(old.st_mode & 0777),
                                      static_cast<unsigned>(old.st_gid)};
        if (!TakeOwnership(descriptor, ownership)) {
            m_lostGroup = ownership.group;
        }
    }
}

FileReplacement::~FileReplacement() {
    m_contents.reset();
    if (!m_newPath.empty()) {
        ::unlink(m_newPath.c_str());
    }
}

void FileReplacement::Fail(Problem problem, int error) {
    m_problem = problem;
    m_error = error;
    m_contents.reset();
}

bool FileReplacement::Commit() {
    if (!m_contents) {
        return false;
    }
    if (!m_contents->Close()) {
        Fail(Problem::CannotWrite, errno);
        return false;
    }
    const unsigned flags = m_existing == Existing::Replace ? 0 : RENAME_NOREPLACE;
    if (::renameat2(AT_FDCWD, m_newPath.c_str(), AT_FDCWD, m_target.c_str(), flags) != 0) {
        const int error = errno;
        Fail(error == EEXIST ? Problem::Exists : Problem::CannotMove, error);
        return false;
    }
    m_newPath.clear();
    m_contents.reset();
    SyncFolder(m_folder);
    return true;
}

}  // namespace quorbex
