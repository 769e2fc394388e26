#include "cli/find_command.h"

#include <charconv>
#include <limits>
#include <optional>
#include <string>

#include "cli/command_error.h"
#include "cli/dictionary_io.h"
#include "cli/result_lines.h"
#include "cli/zvk.h"
#include "csv/unencodable.h"
#include "store/gbk_codec.h"
#include "store/quick_match.h"

namespace quorbex::zvk {

namespace {

// The search box's defaults: trade name, pinyin, other names and English
// name, each rank by trade name.
constexpr int FIND_MASK = 0x0F;
constexpr int FIND_SORT_KEY = SORT_BY_TRADE_NAME;

std::size_t Limit(const ParsedArguments& parsed) {
    const auto option = parsed.options.find("--limit");
    if (option == parsed.options.end()) {
        return std::numeric_limits<std::size_t>::max();
    }
    const std::string& text = option->second;
    std::size_t limit = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
    if (text.empty() || end != text.data() + text.size() || limit == 0 ||
        (error != std::errc() && error != std::errc::result_out_of_range)) {
        throw UsageError("--limit takes a number of lines from 1 up, not \"" + text + "\"");
    }
    return error == std::errc::result_out_of_range ? std::numeric_limits<std::size_t>::max()
                                                   : limit;
}

// "阿莫西林胶囊 (Amoxicillin)", or the one name that the record has.
std::string SuggestionName(const RecordStore& store, std::uint32_t number) {
    const std::string tradeName = GbkToUtf8(store.PeekField(number, Field::TradeName));
    const std::string englishName = GbkToUtf8(store.PeekField(number, Field::EnglishName));
    if (tradeName.empty() || englishName.empty()) {
        return tradeName + englishName;
    }
    return tradeName + " (" + englishName + ")";
}

}  // namespace

int RunFind(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
    const std::size_t limit = Limit(parsed);
    GbkEncodeError error;
    const std::optional<std::string> query = Utf8ToGbk(parsed.positionals[1], &error);
    if (!query) {
        throw CommandError("the query holds " + csv::DescribeUnencodable(error));
    }
    RecordStore store;
    LoadDictionary(parsed.positionals[0], store);
    const QuickResult result = store.QuickFind(*query, FIND_MASK, FIND_SORT_KEY);
    switch (result.status) {
        case QuickStatus::Blank:
            throw UsageError("QUERY is empty or only spaces");
        case QuickStatus::TooLong:
            throw UsageError("QUERY is longer than " + std::to_string(QUICK_QUERY_MAX) +
                             " bytes in GBK, more than any field holds");
        case QuickStatus::NotFound:
            for (const std::uint32_t number : result.suggestions) {
                err << "did you mean: " << SuggestionName(store, number) << '\n';
            }
            return EXIT_NOT_FOUND;
        case QuickStatus::Found:
            break;
    }
    ResultList numbers;
    for (std::size_t i = 0; i < result.hits.size() && i < limit; ++i) {
        numbers.push_back(result.hits[i].number);
    }
    PrintResults(store, numbers, out);
    return EXIT_OK;
}

}  // namespace quorbex::zvk
