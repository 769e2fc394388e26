// The permissions and group that a file written in place of another takes
// over from it, so that a dictionary or its backup in a shared folder stays
// open to the group it is shared with, and no more open than it was.
//
// POSIX (stat, fchown, fchmod). A Windows build has no group to copy: a new
// file there takes its folder's inherited access rules, and these calls
// would answer that the file is left as created.
#pragma once

#include <optional>
#include <string>

namespace quorbex {

struct FileOwnership {
    unsigned permissions = 0;  // read, write and execute for owner, group and others
    unsigned group = 0;        // the group's id
};

// The ownership of the file at path, following links; nothing when there is
// no file to read it from.
std::optional<FileOwnership> OwnershipOf(const std::string& path);

// Gives the open file its group where the user may (a member of the group,
// on a file system that keeps groups), then its permissions. When the group
// cannot be given, the file keeps the user's own group and gets no group
// permissions, which would give that group what was meant for the other; the
// answer is then false. The answer is true when the file ends up in the
// group, whatever became of the permissions (a file system without them).
bool TakeOwnership(int descriptor, const FileOwnership& ownership);

// Flushes the open file's bytes to the disk; false if that failed.
bool SyncToDisk(int descriptor);

// The group's name, or its number when it has none.
std::string GroupName(unsigned group);

}  // namespace quorbex
