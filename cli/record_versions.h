// What diff and merge share: reading the versions of a dictionary that they
// compare, and the words in which they name its records and texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/record_merge.h"
#include "store/record_store.h"

namespace quorbex::zvk {

// Loads path as every command does, and refuses a file that ends before its
// last record: its records cannot be compared whole.
void LoadVersion(const std::string& path, RecordStore& store);
// The records of the version at path, loaded so.
std::vector<RecordBytes> VersionRecords(const std::string& path);

// The record's name in UTF-8; the second and later records of a name that
// repeats get " #2", " #3"... after it.
std::string RecordLabel(const RecordIdentity& identity);

// A field's text in UTF-8 on one line: a backslash, a line break and a tab
// are written \\, \n (for "\r\n" too), \r and \t.
std::string OneLineText(std::string_view gbk);

}  // namespace quorbex::zvk
