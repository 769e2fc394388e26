// A file that zvk reads. Only a regular file is taken: a FIFO or a device
// could block the command or never end, and a folder holds no bytes. Files
// are read, never mapped into memory: a mapped file that another program
// cuts short kills the reader with SIGBUS. What was read is checked against
// the file as it was when opened, so that a file written, cut short or
// replaced meanwhile is reported instead of being taken half old, half new.
//
// The calls are POSIX (open with O_NONBLOCK, fstat's times); on Windows,
// CreateFileW with GetFileInformationByHandle gives the same size, times and
// file index to compare.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorbex::zvk {

class InputFile {
public:
    // Throws CommandError naming path and the reason when it cannot be
    // opened or is not a regular file.
    explicit InputFile(const std::string& path);
    ~InputFile();

    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::string& Path() const { return m_path; }
    // The file's length when it was opened.
    std::uint64_t LengthWhenOpened() const { return static_cast<std::uint64_t>(m_opened.st_size); }

    // Reads up to count bytes; fewer only at the end of the file. Throws
    // CommandError when the read fails.
    std::size_t Read(char* buffer, std::size_t count);
    // Reads from the start again. Throws CommandError when it cannot, or when
    // the file changed since it was opened.
    void Rewind();
    // Throws CommandError when the file changed since it was opened: its
    // length, its times or the file itself differ, or a read that reached its
    // end found more or fewer bytes than it held.
    void CheckUnchanged() const;

private:
    std::string m_path;
    int m_descriptor = -1;
    struct stat m_opened {};
    std::uint64_t m_readSinceStart = 0;
    bool m_reachedEnd = false;
};

}  // namespace quorbex::zvk
