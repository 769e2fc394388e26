#include "cli/terminal_text.h"

#include <unistd.h>

namespace quorbex::zvk {

namespace {

int TerminalFlagIndex() {
    static const int index = std::ios_base::xalloc();
    return index;
}

bool IsControl(char byte) {
    return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F;
}

}  // namespace

void MarkAsTerminal(std::ostream& out) {
    out.iword(TerminalFlagIndex()) = 1;
}

bool IsTerminal(std::ostream& out) {
    return out.iword(TerminalFlagIndex()) != 0;
}

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

void AppendEscaped(std::string& to, std::string_view text, std::string_view kept) {
    static constexpr std::string_view NAMED = "abtnvfr";  // for 0x07 to 0x0D
    for (const char byte : text) {
        if (!IsControl(byte) || kept.find(byte) != std::string_view::npos) {
            to += byte;
        } else if (byte >= '\a' && byte <= '\r') {
            to += '\\';
            to += NAMED[static_cast<std::size_t>(byte - '\a')];
        } else {
            const auto value = static_cast<unsigned char>(byte);
            to += '\\';
            to += static_cast<char>('0' + (value >> 6));
            to += static_cast<char>('0' + (value >> 3 & 7));
            to += static_cast<char>('0' + (value & 7));
        }
    }
}

}  // namespace quorbex::zvk
