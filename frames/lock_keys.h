// The state of the keyboard's lock keys, where the window system tells it.
#pragma once

#include <optional>

namespace quorbex {

struct LockKeys {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// Nothing on a window system that does not tell the lock state.
std::optional<LockKeys> ReadLockKeys();

}  // namespace quorbex
