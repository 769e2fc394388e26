#include "store/edit_distance.h"

namespace quorbex {

namespace {

struct TextUnits {
    std::string_view text;

    std::size_t Count() const { return text.size(); }
    template <typename Visit>
    void Spellings(std::size_t unit, Visit visit) const {
        visit(text.substr(unit, 1));
    }
};

}  // namespace

EditDistances DistancesToText(std::string_view query, std::string_view text, int limit) {
    return DistancesToName(query, TextUnits{text}, limit);
}

std::uint32_t HeadBytesOfText(std::string_view text, std::size_t depth) {
    return HeadBytes(TextUnits{text}, depth);
}

}  // namespace quorbex
