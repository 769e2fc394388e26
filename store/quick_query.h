// A quick-search query folded once for matching many records, and how a
// folded name holds it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/quick_match.h"

namespace quorbex {

struct QuickQuery {
    // Found for a query to match; Blank or TooLong for one that cannot be.
    QuickStatus status = QuickStatus::Blank;
    // Folded, without white space at its ends or a lead byte at its end.
    std::string folded;
    std::optional<std::string> pinyin;  // PinyinQuery of it
    bool ascii = false;                 // folded holds ASCII only
};

QuickQuery PrepareQuickQuery(std::string_view gbk);

enum class NameFit { None, Whole, Start, Within };

// How a folded name holds a folded query: as all of it, at its start, or
// from the start of a later character.
NameFit FitName(std::string_view name, std::string_view query);

// Calls visit(std::string_view) for each name of a folded list of other
// names, without the spaces around it; the names are separated by 、 , ; or /.
template <typename Visit>
void ForEachOtherName(std::string_view list, Visit visit);

// Where the next separator of a list of other names starts at or after from
// (a character start), and how long it is; list.size() and 0 at its end.
struct Separator {
    std::size_t at;
    std::size_t length;
};
Separator NextSeparator(std::string_view list, std::size_t from);

template <typename Visit>
void ForEachOtherName(std::string_view list, Visit visit) {
    for (std::size_t from = 0; from <= list.size();) {
        const Separator separator = NextSeparator(list, from);
        std::string_view name = list.substr(from, separator.at - from);
        while (!name.empty() && name.front() == ' ') {
            name.remove_prefix(1);
        }
        while (!name.empty() && name.back() == ' ') {
            name.remove_suffix(1);
        }
        if (!name.empty()) {
            visit(name);
        }
        if (separator.length == 0) {
            break;
        }
        from = separator.at + separator.length;
    }
}

}  // namespace quorbex
