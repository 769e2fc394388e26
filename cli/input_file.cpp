#include "cli/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/command_error.h"

namespace quorbex::zvk {

namespace {

std::string SystemError(const std::string& path, const char* what, int error) {
    return path + ": " + what + ": " + std::strerror(error);
}

// What a file that is not a regular one is, in words.
const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe (FIFO)";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a special file";
}

}  // namespace

InputFile::InputFile(const std::string& path) : m_path(path) {
    if (path.empty()) {
        throw CommandError("a file name is needed, not \"\"");
    }
    // Without O_NONBLOCK, opening a FIFO waits for a writer; the kind of file
    // is known only once it is open.
    m_descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_descriptor < 0) {
        throw CommandError(SystemError(path, "cannot open", errno));
    }
    struct stat status {};
    if (::fstat(m_descriptor, &status) != 0) {
        const int error = errno;
        ::close(m_descriptor);
        throw CommandError(SystemError(path, "cannot read", error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(m_descriptor);
        throw CommandError(path + ": " + KindOf(status.st_mode) +
                           ", not a regular file; zvk reads only regular files");
    }
}

InputFile::~InputFile() {
    ::close(m_descriptor);
}

std::size_t InputFile::Read(char* buffer, std::size_t count) {
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(m_descriptor, buffer + total, count - total);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw CommandError(SystemError(m_path, "cannot read", errno));
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return total;
}

void InputFile::Rewind() {
    if (::lseek(m_descriptor, 0, SEEK_SET) != 0) {
        throw CommandError(SystemError(m_path, "cannot read", errno));
    }
}

}  // namespace quorbex::zvk
