#include "cli/drug_json.h"

#include <nlohmann/json.hpp>

#include "store/gbk_codec.h"

namespace quorbex::zvk {

// Written record by record, in the layout of nlohmann's dump with an indent
// of two, which escapes each text: only one record's texts are held at a
// time, and a tree that ran out of memory cannot take the program down while
// it is freed.
void WriteDrugJson(const std::vector<DrugFields>& records, std::ostream& out) {
    if (records.empty()) {
        out << "[]\n";
        return;
    }
    out << '[';
    std::string_view recordSeparator = "\n";
    for (const DrugFields& record : records) {
        out << recordSeparator << "  {";
        std::string_view fieldSeparator = "\n";
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            out << fieldSeparator << "    \"" << layout.name
                << "\": " << nlohmann::json(GbkToUtf8(record[layout.field])).dump();
            fieldSeparator = ",\n";
        }
        out << "\n  }";
        recordSeparator = ",\n";
    }
    out << "\n]\n";
}

}  // namespace quorbex::zvk
