#include "cli/dictionary_io.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

#include "cli/check.h"
#include "cli/command_error.h"
#include "cli/input_file.h"
#include "store/disk_file.h"
#include "store/file_ownership.h"
#include "store/prefault.h"

namespace quorbex::zvk {

namespace {

std::string SystemError(const std::string& path, const char* what, int error) {
    return path + ": " + what + ": " + std::strerror(error);
}

// The store's File over a file that zvk reads, read in pieces of 64 KiB
// however little the store asks for at a time, straight into the store's
// image without a copy of the whole file on the way. What fails is kept, to
// be told once the store is done: the store takes a failed read as the end
// of its load, never as an exception.
class InputFileReader final : public File {
public:
    explicit InputFileReader(InputFile& file) : m_file(file) {}

    bool SeekToBegin() override {
        if (m_started) {
            if (!Try([this] { m_file.Rewind(); })) {
                return false;
            }
            m_started = false;
            m_begin = m_end = 0;
        }
        return true;
    }
    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        m_started = true;
        auto* out = static_cast<char*>(buffer);
        std::size_t taken = 0;
        while (taken < count) {
            if (m_begin == m_end) {
                std::size_t got = 0;
                if (!Try([&] { got = m_file.Read(m_piece.data(), m_piece.size()); })) {
                    return std::nullopt;
                }
                m_begin = 0;
                m_end = got;
                if (got == 0) {
                    break;
                }
            }
            const std::size_t part = std::min(count - taken, m_end - m_begin);
            std::memcpy(out + taken, m_piece.data() + m_begin, part);
            m_begin += part;
            taken += part;
        }
        return taken;
    }
    bool Write(const void*, std::size_t) override { return false; }
    bool SetLength(std::uint64_t) override { return false; }
    std::optional<std::uint64_t> Length() override { return m_file.LengthWhenOpened(); }

    // Throws what a read or the rewind at the end of the load met.
    void ThrowIfFailed() const {
        if (m_failure) {
            throw *m_failure;
        }
    }

private:
    template <typename Step>
    bool Try(Step step) {
        try {
            step();
            return true;
        } catch (const CommandError& error) {
            m_failure = error;
            return false;
        }
    }

    InputFile& m_file;
    std::array<char, 64 * 1024> m_piece{};
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_started = false;
    std::optional<CommandError> m_failure;
};

std::string ExistsMessage(const std::string& path) {
    return path + ": already exists; give --force to replace it";
}

}  // namespace

std::string ReadFileBytes(InputFile& file) {
    // The store holds no longer image; a longer file is no dictionary and
    // far beyond any file zvk imports.
    constexpr std::uint64_t MOST = MemFile::MAX_LENGTH;
    // Read straight into the string, which has room for the length the file
    // had when opened and a byte more, to see it grow; its pages are backed
    // at once, not one fault at a time.
    std::size_t room = std::min<std::uint64_t>(file.LengthWhenOpened(), MOST) + 1;
    std::string bytes;
    bytes.reserve(room);
    PrefaultForWriting(bytes.data(), bytes.capacity());
    std::size_t size = 0;
    for (;;) {
        bytes.resize(room);
        size += file.Read(bytes.data() + size, room - size);
        if (size > MOST) {
            throw CommandError(file.Path() + ": larger than " +
                               std::to_string(MOST / (1024 * 1024)) + " MiB, more than zvk reads");
        }
        if (size < room) {
            bytes.resize(size);
            file.CheckUnchanged();
            return bytes;
        }
        room = std::min<std::uint64_t>(std::uint64_t{room} * 2, MOST + 1);
    }
}

std::string ReadFileBytes(const std::string& path) {
    InputFile file(path);
    return ReadFileBytes(file);
}

void LoadDictionary(InputFile& file, RecordStore& store) {
    InputFileReader reader(file);
    const bool loaded = store.LoadFromFile(reader);
    reader.ThrowIfFailed();
    file.CheckUnchanged();
    if (loaded) {
        return;
    }
    // The store's answer decides, as it does when the program opens the
    // file; the reason only puts it into words, from the bytes read again.
    file.Rewind();
    const std::optional<std::string> reason = NotADictionaryReason(ReadFileBytes(file));
    // The store refuses a dictionary's bytes only when its image could not
    // take them.
    if (!reason) {
        throw std::bad_alloc();
    }
    throw CommandError(file.Path() + ": " + *reason);
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

namespace {

// Writes store over path through replacement, or throws what went wrong.
void WriteDictionary(RecordStore& store, const std::string& path, FileReplacement& replacement) {
    using Problem = FileReplacement::Problem;
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

}  // namespace

void SaveDictionary(RecordStore& store, const std::string& path, bool replace) {
    FileReplacement replacement(
        path, replace ? FileReplacement::Existing::Replace : FileReplacement::Existing::Refuse);
    WriteDictionary(store, path, replacement);
}

std::optional<std::string> ReplaceDictionary(RecordStore& store, const std::string& path) {
    FileReplacement replacement(path, FileReplacement::Existing::Replace);
    WriteDictionary(store, path, replacement);
    if (const std::optional<unsigned> lost = replacement.LostGroup()) {
        return GroupName(*lost);
    }
    return std::nullopt;
}

}  // namespace quorbex::zvk
