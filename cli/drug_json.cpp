#include "cli/drug_json.h"

#include <nlohmann/json.hpp>

#include "store/gbk_codec.h"

namespace quorbex::zvk {

void WriteDrugJson(const std::vector<DrugFields>& records, std::ostream& out) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const DrugFields& record : records) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            object[std::string(layout.name)] = GbkToUtf8(record[layout.field]);
        }
        array.push_back(std::move(object));
    }
    out << array.dump(2) << '\n';
}

}  // namespace quorbex::zvk
