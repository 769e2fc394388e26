#include "store/file_ownership.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace quorbex {

std::optional<FileOwnership> OwnershipOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FileOwnership{static_cast<unsigned>(status.st_mode & 0777),
                         static_cast<unsigned>(status.st_gid)};
}

bool TakeOwnership(int descriptor, const FileOwnership& ownership) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return false;
    }
    const auto group = static_cast<gid_t>(ownership.group);
    const bool inGroup = status.st_gid == group || ::fchown(descriptor, -1, group) == 0;
    // The permissions come after the group: changing a file's group may clear
    // some of its mode bits.
    const mode_t permissions = inGroup ? ownership.permissions : ownership.permissions & ~S_IRWXG;
    ::fchmod(descriptor, permissions & 0777);
    return inGroup;
}

bool SyncToDisk(int descriptor) {
    return ::fsync(descriptor) == 0;
}

std::string GroupName(unsigned group) {
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 4096);
    struct group entry {};
    struct group* found = nullptr;
    while (::getgrgid_r(static_cast<gid_t>(group), &entry, buffer.data(), buffer.size(), &found) ==
               ERANGE &&
           buffer.size() < 1024 * 1024) {
        buffer.resize(buffer.size() * 2);
    }
    return found != nullptr ? std::string(found->gr_name) : std::to_string(group);
}

}  // namespace quorbex
