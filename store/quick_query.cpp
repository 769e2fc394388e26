#include "store/quick_query.h"

#include <algorithm>

#include "store/cp936.h"
#include "store/pinyin_match.h"
#include "store/quick_fold.h"

namespace quorbex {

namespace {

// 、 in GBK.
constexpr char ENUMERATION_COMMA[] = "\xA1\xA2";

}  // namespace

QuickQuery PrepareQuickQuery(std::string_view gbk) {
    QuickQuery query;
    std::string folded = quickfold::Fold(gbk);
    // A space at the start is a character of its own; one at the end may be
    // the second byte of a pair that is no GBK character, whose first byte
    // then stands alone and goes too.
    const std::size_t first = folded.find_first_not_of(' ');
    if (first == std::string::npos) {
        return query;
    }
    folded = folded.substr(first, folded.find_last_not_of(' ') + 1 - first);
    folded.resize(quickfold::WholeCharacters(folded));
    if (folded.empty()) {
        return query;
    }
    if (folded.size() > QUICK_QUERY_MAX) {
        query.status = QuickStatus::TooLong;
        return query;
    }
    query.status = QuickStatus::Found;
    query.pinyin = PinyinQuery(folded);
    query.ascii = std::all_of(folded.begin(), folded.end(),
                              [](char c) { return static_cast<std::uint8_t>(c) < 0x80; });
    query.folded = std::move(folded);
    return query;
}

NameFit FitName(std::string_view name, std::string_view query) {
    if (name.starts_with(query)) {
        return name.size() == query.size() ? NameFit::Whole : NameFit::Start;
    }
    return quickfold::FindAtCharacter(name, query) != std::string_view::npos ? NameFit::Within
                                                                             : NameFit::None;
}

Separator NextSeparator(std::string_view list, std::size_t from) {
    for (std::size_t i = from; i < list.size();) {
        const char c = list[i];
        if (c == ',' || c == ';' || c == '/') {
            return {i, 1};
        }
        if (cp936::IsLeadByte(static_cast<std::uint8_t>(c)) && i + 1 < list.size()) {
            if (list.substr(i, 2) == ENUMERATION_COMMA) {
                return {i, 2};
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return {list.size(), 0};
}

}  // namespace quorbex
