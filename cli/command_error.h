// A command that cannot do what it was asked: the message says why, and
// names the file it concerns.
#pragma once

#include <stdexcept>

namespace quorbex::zvk {

class CommandError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quorbex::zvk
