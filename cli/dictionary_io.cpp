#include "cli/dictionary_io.h"

#include <algorithm>
#include <cerrno>
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

std::string ExistsMessage(const std::string& path) {
    return path + ": already exists; give --force to replace it";
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
    using Problem = FileReplacement::Problem;
    FileReplacement replacement(
        path, replace ? FileReplacement::Existing::Replace : FileReplacement::Existing::Refuse);
    // Failures name the file asked for, not the hidden one that is removed.
    if (File* contents = replacement.Contents()) {
        if (!store.SaveToFile(contents)) {
            throw CommandError(SystemError(path, "cannot write the new dictionary", errno));
        }
        if (replacement.Commit()) {
            return;
        }
    }
    const int error = replacement.GetError();
    switch (replacement.GetProblem()) {
        case Problem::CannotFollowLink:
            throw CommandError(SystemError(path, "cannot follow the symbolic link", error));
        case Problem::NotRegularFile:
            throw CommandError(path + ": not a regular file; zvk replaces only regular files");
        case Problem::CannotCreate:
            throw CommandError(SystemError(replacement.GetFolder(), "cannot create a file", error));
        case Problem::CannotWrite:
            throw CommandError(SystemError(path, "cannot write the new dictionary", error));
        case Problem::Exists:
            throw CommandError(ExistsMessage(path));
        case Problem::CannotMove:
        case Problem::None:
            break;
    }
    throw CommandError(SystemError(path, "cannot put the new dictionary in place", error));
}

}  // namespace quorbex::zvk
