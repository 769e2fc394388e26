#include "cli/record_versions.h"

#include "cli/command_error.h"
#include "cli/dictionary_io.h"
#include "store/gbk_codec.h"

namespace quorbex::zvk {

void LoadVersion(const std::string& path, RecordStore& store) {
    LoadDictionary(path, store);
    const std::uint64_t needed = DictionaryLength(store.GetCount());
    const std::uint64_t held = store.GetImage().GetLength();
    if (held < needed) {
        throw CommandError(path + ": damaged: " + std::to_string(held) + " bytes long, but its " +
                           std::to_string(store.GetCount()) + " records need " +
                           std::to_string(needed) + " bytes");
    }
}

std::vector<RecordBytes> VersionRecords(const std::string& path) {
    RecordStore store;
    LoadVersion(path, store);
    return store.GetRecords();
}

std::string RecordLabel(const RecordIdentity& identity) {
    std::string label = GbkToUtf8(identity.Name());
    if (identity.occurrence > 0) {
        label += " #" + std::to_string(identity.occurrence + 1);
    }
    return label;
}

std::string OneLineText(std::string_view gbk) {
    const std::string text = GbkToUtf8(gbk);
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
            case '\\':
                line += "\\\\";
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') {
                    ++i;
                    line += "\\n";
                } else {
                    line += "\\r";
                }
                break;
            case '\n':
                line += "\\n";
                break;
            case '\t':
                line += "\\t";
                break;
            default:
                line += text[i];
        }
    }
    return line;
}

}  // namespace quorbex::zvk
