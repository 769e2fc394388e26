// Soundness of a dictionary file, judged from its bytes as they lie on disk
// (scrambled).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbex::zvk {

// Why these file bytes cannot be taken as a dictionary, or nothing when they
// can. An empty file counts as an empty dictionary, as the program opens it.
std::optional<std::string> NotADictionaryReason(std::string_view fileBytes);

// Every way in which the file differs from a sound dictionary: a wrong magic,
// a record count above the maximum, a length other than the count needs, and
// each field of a record that holds no NUL within its width. Empty when sound.
std::vector<std::string> CheckDictionary(std::string_view fileBytes);

}  // namespace quorbex::zvk
