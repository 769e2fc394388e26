#include "cli/result_lines.h"

#include <charconv>
#include <iterator>
#include <string>

#include "store/gbk_codec.h"

namespace quorbex::zvk {

// The lines are put together in GBK straight from the store's image and
// converted to UTF-8 in one piece: the tabs and line feeds can be no GBK
// trail byte, so each name converts as it would on its own.
void PrintResults(const RecordStore& store, const ResultList& results, std::ostream& out) {
    std::string lines;
    lines.reserve(results.size() * 48);
    for (const std::uint32_t number : results) {
        char digits[16];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        lines.append(digits, end);
        lines += '\t';
        lines += store.PeekField(number, Field::TradeName);
        lines += '\t';
        lines += store.PeekField(number, Field::EnglishName);
        lines += '\n';
    }
    const std::string text = GbkToUtf8(lines);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace quorbex::zvk
