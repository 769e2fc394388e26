// Record texts written to a terminal. A dictionary's texts can hold control
// characters (a file from someone else, or one damaged) that would move the
// cursor, recolour or retitle the terminal; on a terminal they are shown as
// escapes instead, as ls and git show them. Output that goes to a file or a
// pipe keeps its bytes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace quorbex::zvk {

// Marks out as a terminal, as main marks standard output when it is one and
// tests mark a stream of their own.
void MarkAsTerminal(std::ostream& out);
bool IsTerminal(std::ostream& out);

// Whether the process's standard output is a terminal. POSIX isatty; on
// Windows, _isatty(_fileno(stdout)).
bool StandardOutputIsTerminal();

// Appends text with each control character (below 0x20, and 0x7F) but those
// in kept written as an escape: \a \b \t \n \v \f \r, others in octal (\033).
// GBK text stays GBK: these bytes are never part of a double-byte character,
// and they are all the control characters that GBK text decodes to.
void AppendEscaped(std::string& to, std::string_view text, std::string_view kept = {});

}  // namespace quorbex::zvk
