#include "cli/result_lines.h"

#include <charconv>
#include <iterator>
#include <string>

#include "cli/terminal_text.h"
#include "store/gbk_codec.h"

namespace quorbex::zvk {

// The lines are put together in GBK straight from the store's image and
// converted to UTF-8 in one piece: the tabs and line feeds can be no GBK
// trail byte, so each name converts as it would on its own. On a terminal a
// name's own tabs and line breaks are escaped as well.
void PrintResults(const RecordStore& store, const ResultList& results, std::ostream& out) {
    const bool terminal = IsTerminal(out);
    std::string lines;
    lines.reserve(results.size() * 48);
    const auto appendName = [&](std::uint32_t number, Field field) {
        if (terminal) {
            AppendEscaped(lines, store.PeekField(number, field));
        } else {
            lines += store.PeekField(number, field);
        }
    };
    for (const std::uint32_t number : results) {
        char digits[16];
        const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
        lines.append(digits, end);
        lines += '\t';
        appendName(number, Field::TradeName);
        lines += '\t';
        appendName(number, Field::EnglishName);
        lines += '\n';
    }
    const std::string text = GbkToUtf8(lines);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace quorbex::zvk
