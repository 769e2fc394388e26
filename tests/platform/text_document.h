// A small document for framework tests: its data is one text, stored as the
// file's bytes. It can be told to refuse a file or to fail part-way through
// writing one.
#pragma once

#include <algorithm>
#include <string>

#include "platform/document.h"

namespace quorbex::testing {

class TextDocument : public platform::Document {
public:
    using Document::Document;

    bool Serialize(platform::Archive& archive) override {
        File& file = archive.GetFile();
        if (archive.IsLoading()) {
            ++loads;
            text.clear();
            char chunk[256];
            while (const auto got = file.Read(chunk, sizeof chunk)) {
                if (*got == 0) {
                    break;
                }
                text.append(chunk, *got);
            }
            return text != refusedText;
        }
        ++stores;
        if (failAfterBytes >= 0) {
            const std::size_t part = std::min<std::size_t>(failAfterBytes, text.size());
            file.Write(text.data(), part);
            return false;
        }
        return file.Write(text.data(), text.size());
    }

    std::string text;
    // A file holding exactly this is not a document of this kind.
    std::string refusedText = "not a document";
    // When not negative, storing writes this many bytes and then fails.
    int failAfterBytes = -1;
    int loads = 0;
    int stores = 0;
};

}  // namespace quorbex::testing
