// The identifier of a command: the number by which its action, its menu
// items, its tool bar button and its handler know it. A type of its own, so
// that no other number passes for a command.
#pragma once

namespace quorbex::platform {

enum class CommandId : unsigned {};

}  // namespace quorbex::platform
