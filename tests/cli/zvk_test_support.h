// Helpers for the zvk tests: run a command line in-process, keep files in a
// temporary folder, and build dictionaries and damaged files as fixtures.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/terminal_text.h"
#include "cli/zvk.h"
#include "store/disk_file.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "store/record_store.h"
#include "tests/support/gbk_text.h"

namespace quorbex::zvk::testing {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

// Runs a command line as zvk's main does; with onTerminal, as when its
// standard output is a terminal.
inline Outcome Zvk(const std::vector<std::string>& args, bool onTerminal = false) {
    std::ostringstream out;
    std::ostringstream err;
    if (onTerminal) {
        MarkAsTerminal(out);
    }
    const int status = RunZvk(args, out, err);
    return {status, out.str(), err.str()};
}

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zvk-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(std::string_view name) const { return (m_path / name).string(); }

    // Names of the entries in the folder, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_path;
};

using quorbex::testing::Gbk;

// A record from its seven texts in UTF-8, in file order.
inline DrugFields Drug(const std::array<std::string_view, 7>& utf8) {
    DrugFields fields;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        fields[FIELD_LAYOUTS[i].field] = Gbk(utf8[i]);
    }
    return fields;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// File bytes to plain image bytes and back: the transform is its own inverse.
inline std::string Scramble(std::string bytes) {
    for (char& byte : bytes) {
        byte = static_cast<char>(static_cast<std::uint8_t>(byte) ^ DICT_XOR_KEY);
    }
    return bytes;
}

// Records given in GBK, written by the store as the program would save them.
inline void WriteDictionary(const std::string& path, std::vector<DrugFields> records) {
    RecordStore store;
    for (DrugFields& record : records) {
        ExchangeFields(store, record, false);
        ASSERT_TRUE(store.AppendRecord());
    }
    const auto file = DiskFile::Open(path, DiskFile::Mode::CreateWrite);
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(store.SaveToFile(file.get()));
    ASSERT_TRUE(file->Close());
}

}  // namespace quorbex::zvk::testing
