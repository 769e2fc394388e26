// Soundness of a dictionary file, judged from its bytes as they lie on disk
// (scrambled).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbex::zvk {

// A file that ends before the record count begins (0 to 6 bytes) gives the
// store no header to read: it keeps the header of a new, empty dictionary,
// and the file opens as one.
bool OpensAsEmptyDictionary(std::string_view fileBytes);

// Why these file bytes cannot be taken as a dictionary, or nothing when they
// can, in the words of the store's own verdict.
std::optional<std::string> NotADictionaryReason(std::string_view fileBytes);

// Every way in which the file differs from a sound dictionary: a wrong magic,
// a record count above the maximum, a length other than the count needs, and
// each field of a record that holds no NUL within its width. Empty when sound
// and for a file that opens as an empty dictionary.
std::vector<std::string> CheckDictionary(std::string_view fileBytes);

}  // namespace quorbex::zvk
