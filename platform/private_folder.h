// A folder for what is the user's alone (unsaved work, the running
// instance's lock and socket): made 0700 when it is missing, and otherwise
// taken only when it is a real folder (no link) that the user owns, its
// permissions then narrowed to the user's. This is the POSIX seam (lstat,
// mkdir, chmod); Windows would check the folder's owner and its ACL.
#pragma once

#include <QString>

namespace quorbex::platform {

struct FolderCheck {
    enum class Problem {
        None,
        IsLink,        // the name is a symbolic link
        OtherOwner,    // the folder, or the folder it is in, is another user's
        NotAFolder,    // something else than a folder lies at the name
        OpenToOthers,  // other users may write in it
        SystemError,   // it could not be made or changed: systemError says why
    };
    Problem problem = Problem::None;
    int systemError = 0;

    explicit operator bool() const { return problem == Problem::None; }
};

// Makes folder, with the folders above it that are missing, or checks the
// one that is there. The folder it is in must be the user's or the
// system's, so that nobody else can swap the folder for another.
FolderCheck MakePrivateFolder(const QString& folder);

// Checks, without making or changing anything, that folder is the user's
// as above and that nobody else can write in it.
FolderCheck CheckPrivateFolder(const QString& folder);

}  // namespace quorbex::platform
