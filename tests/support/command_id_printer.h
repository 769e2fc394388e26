// Command identifiers as test messages show them: their numbers.
#pragma once

#include <ostream>

#include "platform/command_id.h"

namespace quorbex::platform {

inline std::ostream& operator<<(std::ostream& out, CommandId id) {
    return out << static_cast<unsigned>(id);
}

}  // namespace quorbex::platform
