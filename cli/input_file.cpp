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

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
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
    if (::fstat(m_descriptor, &m_opened) != 0) {
        const int error = errno;
        ::close(m_descriptor);
        throw CommandError(SystemError(path, "cannot read", error));
    }
    if (!S_ISREG(m_opened.st_mode)) {
        ::close(m_descriptor);
        throw CommandError(path + ": " + KindOf(m_opened.st_mode) +
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
            m_reachedEnd = true;
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    m_readSinceStart += total;
    return total;
}

void InputFile::Rewind() {
    CheckUnchanged();
    if (::lseek(m_descriptor, 0, SEEK_SET) != 0) {
        throw CommandError(SystemError(m_path, "cannot read", errno));
    }
    m_readSinceStart = 0;
    m_reachedEnd = false;
}

void InputFile::CheckUnchanged() const {
    struct stat now {};
    if (::fstat(m_descriptor, &now) != 0) {
        throw CommandError(SystemError(m_path, "cannot read", errno));
    }
    const bool same = now.st_dev == m_opened.st_dev && now.st_ino == m_opened.st_ino &&
                      now.st_size == m_opened.st_size && SameTime(now.st_mtim, m_opened.st_mtim) &&
                      SameTime(now.st_ctim, m_opened.st_ctim) &&
                      (!m_reachedEnd || m_readSinceStart == LengthWhenOpened());
    if (!same) {
        throw CommandError(
            m_path + ": changed while zvk was reading it; try again once nothing writes to it");
    }
}

}  // namespace quorbex::zvk
