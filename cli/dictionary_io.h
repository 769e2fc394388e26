// Reading files for zvk, loading them as dictionaries, and writing a
// dictionary so that an existing file is never lost to a failed write.
// Every failure throws CommandError naming the file and the reason.
#pragma once

#include <optional>
#include <string>

#include "store/record_store.h"

namespace quorbex::zvk {

class InputFile;

// The whole content of a file, as bytes, refused when the file changed while
// it was read.
std::string ReadFileBytes(const std::string& path);
std::string ReadFileBytes(InputFile& file);

// Loads path into store, refusing a file that is not a dictionary or holds a
// record count above the maximum, or that changed while it was read.
void LoadDictionary(const std::string& path, RecordStore& store);
void LoadDictionary(InputFile& file, RecordStore& store);

// Refuses when path exists; what a write without leave to replace requires.
void RequireAbsent(const std::string& path);

// Writes store to a new file beside path, flushes it to the disk and then
// moves it to path in one step. Without replace an existing path is refused
// and left as it is. With replace a symbolic link at path is written
// through, and the file replaced keeps its permissions and group.
void SaveDictionary(RecordStore& store, const std::string& path, bool replace);

// Writes store in place of the dictionary at path, as SaveDictionary does,
// at the target of a link rather than over the link. The new file keeps the
// old one's permissions and group. Where the group cannot be kept, the new
// file gets no group permissions, and the answer is the lost group's name.
std::optional<std::string> ReplaceDictionary(RecordStore& store, const std::string& path);

}  // namespace quorbex::zvk
