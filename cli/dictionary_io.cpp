#include "cli/dictionary_io.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#include "cli/check.h"
#include "cli/command_error.h"
#include "cli/input_file.h"
#include "store/disk_file.h"
#include "store/prefault.h"

namespace quorbex::zvk {

namespace {

std::string SystemError(const std::string& path, const char* what, int error) {
    return path + ": " + what + ": " + std::strerror(error);
}

// Read-only File over bytes already in memory, for the store's load.
class BytesFile final : public File {
public:
    explicit BytesFile(std::string_view bytes) : m_bytes(bytes) {}

    bool SeekToBegin() override {
        m_position = 0;
        return true;
    }
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        const std::size_t taken = std::min(count, m_bytes.size() - m_position);
        std::memcpy(buffer, m_bytes.data() + m_position, taken);
        m_position += taken;
        return taken;
    }
    bool Write(const void*, std::size_t) override { return false; }
    bool SetLength(std::uint64_t) override { return false; }
    std::optional<std::uint64_t> Length() override { return m_bytes.size(); }

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

// Removes a temporary file unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
    ~TemporaryFile() {
        if (!m_path.empty()) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& Path() const { return m_path; }
    void Release() { m_path.clear(); }

private:
    std::string m_path;
};

std::string ExistsMessage(const std::string& path) {
    return path + ": already exists; give --force to replace it";
}

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

std::string ReadFileBytes(InputFile& file) {
    std::string bytes;
    // One allocation where the file keeps the length it had when opened.
    bytes.reserve(std::min<std::uint64_t>(file.LengthWhenOpened(), MemFile::MAX_LENGTH) + 1);
    PrefaultForWriting(bytes.data(), bytes.capacity());
    char chunk[64 * 1024];
    for (;;) {
        const std::size_t got = file.Read(chunk, sizeof chunk);
        bytes.append(chunk, got);
        // The store holds no longer image; a longer file is no dictionary
        // and far beyond any file zvk imports.
        if (bytes.size() > MemFile::MAX_LENGTH) {
            throw CommandError(file.Path() + ": larger than " +
                               std::to_string(MemFile::MAX_LENGTH / (1024 * 1024)) +
                               " MiB, more than zvk reads");
        }
        if (got < sizeof chunk) {
            file.CheckUnchanged();
            return bytes;
        }
    }
}

std::string ReadFileBytes(const std::string& path) {
    InputFile file(path);
    return ReadFileBytes(file);
}

void LoadDictionary(InputFile& file, RecordStore& store) {
    const std::string bytes = ReadFileBytes(file);
    BytesFile image(bytes);
    // The store's answer decides, as it does when the program opens the
    // file; the reason only puts it into words.
    if (!store.LoadFromFile(image)) {
        // The store refuses a dictionary's bytes only when its image could
        // not take them.
        const std::optional<std::string> reason = NotADictionaryReason(bytes);
        if (!reason) {
            throw std::bad_alloc();
        }
        throw CommandError(file.Path() + ": " + *reason);
    }
}

void LoadDictionary(const std::string& path, RecordStore& store) {
    InputFile file(path);
    LoadDictionary(file, store);
}

void RequireAbsent(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        throw CommandError(ExistsMessage(path));
    }
}

void SaveDictionary(RecordStore& store, const std::string& path, bool replace) {
    const std::filesystem::path target(path);
    const std::string folder =
        target.has_parent_path() ? target.parent_path().string() : std::string(".");
    // A hidden file beside the target, named after it.
    std::string name = target.filename().string();
    name.insert(0, 1, '.');
    name += ".XXXXXX";
    std::string pattern = (std::filesystem::path(folder) / name).string();
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0) {
        throw CommandError(SystemError(folder, "cannot create a file", errno));
    }
    TemporaryFile temporary(pattern);
    // mkstemp makes the file private to its owner; a dictionary gets the
    // mode of any newly created file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
    ::close(descriptor);

    // Failures name the file asked for, not the hidden one that is removed.
    auto file = DiskFile::Open(temporary.Path(), DiskFile::Mode::CreateWrite);
    if (!file) {
        throw CommandError(SystemError(path, "cannot write the new dictionary", errno));
    }
    if (!store.SaveToFile(file.get()) || !file->Close()) {
        throw CommandError(SystemError(path, "cannot write the new dictionary", errno));
    }

    // Without leave to replace, the move itself refuses an existing file, so
    // one created since the command began is kept as well.
    const unsigned flags = replace ? 0 : RENAME_NOREPLACE;
    if (::renameat2(AT_FDCWD, temporary.Path().c_str(), AT_FDCWD, path.c_str(), flags) != 0) {
        if (errno == EEXIST) {
            throw CommandError(ExistsMessage(path));
        }
        throw CommandError(SystemError(path, "cannot put the new dictionary in place", errno));
    }
    temporary.Release();
    SyncFolder(folder);
}

}  // namespace quorbex::zvk
