// No user-visible Chinese text in the program's code: every text a user can
// see lives in resources/ (the string table, the command table, the menus
// and the dialog templates) or in the framework's string table, where the
// translation system finds it. Only
// string and character literals count; comments may hold Chinese examples.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/cjk.h"

namespace quorbex::testing {
namespace {

bool IsIdentifierByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads C++ source and answers the lines (from 1) on which a string or
// character literal holds a CJK character, each line once.
class LiteralScanner {
public:
    explicit LiteralScanner(std::string_view source) : m_source(source) {}

    std::vector<int> CjkLines() {
        while (m_at < m_source.size()) {
            Step();
        }
        m_lines.erase(std::unique(m_lines.begin(), m_lines.end()), m_lines.end());
        return m_lines;
    }

private:
    char Peek(std::size_t ahead) const {
        return m_at + ahead < m_source.size() ? m_source[m_at + ahead] : '\0';
    }

    // Moves to end, counting the line breaks passed.
    void Advance(std::size_t end) {
        end = std::min(end, m_source.size());
        m_line += static_cast<int>(std::count(m_source.begin() + static_cast<long>(m_at),
                                              m_source.begin() + static_cast<long>(end), '\n'));
        m_at = end;
    }

    // Notes the lines of the literal's bytes [begin, end) that hold CJK.
    void Literal(std::size_t begin, std::size_t end) {
        int line = m_line;
        std::size_t start = begin;
        for (std::size_t i = begin; i <= end; ++i) {
            if (i == end || m_source[i] == '\n') {
                const std::string_view piece = m_source.substr(start, i - start);
                if (HoldsCjk(
                        QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())))) {
                    m_lines.push_back(line);
                }
                ++line;
                start = i + 1;
            }
        }
    }

    // A quoted literal from its opening quote, with its escapes; it ends at
    // its closing quote or, unterminated, at the end of the line.
    void Quoted() {
        const char quote = m_source[m_at];
        std::size_t end = m_at + 1;
        while (end < m_source.size() && m_source[end] != quote && m_source[end] != '\n') {
            end += m_source[end] == '\\' ? 2 : 1;
        }
        end = std::min(end, m_source.size());
        Literal(m_at + 1, end);
        Advance(end < m_source.size() && m_source[end] == quote ? end + 1 : end);
    }

    // A raw string from its opening quote: R"delimiter( ... )delimiter".
    void Raw() {
        const std::size_t open = m_source.find('(', m_at);
        if (open == std::string_view::npos) {
            Advance(m_source.size());
            return;
        }
        std::string close = ")";
        close += m_source.substr(m_at + 1, open - m_at - 1);
        close += '"';
        std::size_t end = m_source.find(close, open);
        if (end == std::string_view::npos) {
            end = m_source.size();
        }
        Advance(open + 1);
        Literal(open + 1, end);
        Advance(end + close.size());
    }

    void Step() {
        const char c = m_source[m_at];
        if (c == '/' && Peek(1) == '/') {
            const std::size_t end = m_source.find('\n', m_at);
            Advance(end == std::string_view::npos ? m_source.size() : end);
        } else if (c == '/' && Peek(1) == '*') {
            const std::size_t end = m_source.find("*/", m_at + 2);
            Advance(end == std::string_view::npos ? m_source.size() : end + 2);
        } else if (IsDigit(c)) {
            // A number, whose digit separators are no character literals.
            std::size_t end = m_at + 1;
            while (end < m_source.size() && (IsIdentifierByte(m_source[end]) ||
                                             m_source[end] == '.' || m_source[end] == '\'')) {
                ++end;
            }
            Advance(end);
        } else if (IsIdentifierByte(c)) {
            std::size_t end = m_at + 1;
            while (end < m_source.size() && IsIdentifierByte(m_source[end])) {
                ++end;
            }
            const std::string_view word = m_source.substr(m_at, end - m_at);
            Advance(end);
            if (Peek(0) == '"' &&
                (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR")) {
                Raw();
            }
        } else if (c == '"' || c == '\'') {
            Quoted();
        } else {
            Advance(m_at + 1);
        }
    }

    std::string_view m_source;
    std::size_t m_at = 0;
    int m_line = 1;
    std::vector<int> m_lines;
};

std::vector<int> CjkLiteralLines(std::string_view source) {
    return LiteralScanner(source).CjkLines();
}

TEST(CjkLiterals, FoundInEveryKindOfLiteralAndNeverInComments) {
    struct Case {
        const char* name;
        const char* source;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"a string", R"(auto s = "品名";)", {1}},
        {"a prefixed string and a character", "auto s = u8\"药\";\nchar32_t c = U'药';", {1, 2}},
        {"QStringLiteral", "\n\nf(QStringLiteral(\"确定\"));", {3}},
        {"after an escaped quote", R"(f("say \"", "取消");)", {1}},
        {"after a quote as a character", R"(f('"', "取消");)", {1}},
        {"a raw string over lines", "auto s = R\"x(\nab\")\n品\n)x\";\nint n;", {3}},
        {"a full-width comma", R"(f("a，b");)", {1}},
        {"after a number with separators", "int n = 1'000; f(\"药\");", {1}},
        {"a line comment", "int n; // 品名\n", {}},
        {"a block comment", "/* 品名\n   用法 */ int n;", {}},
        {"a comment marker inside a string", R"(f("//"); // 药)", {}},
        {"a quote inside a comment", "// don't\nint n; f(\"x\");", {}},
        {"characters that are not CJK", R"(f("“%1” ──── é");)", {}},
        {"a string after a comment on the same line", "/* 品 */ f(\"药\");", {1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CjkLiteralLines(c.source), c.lines) << c.name;
    }
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

std::string LineOf(const std::string& source, int line) {
    std::istringstream lines(source);
    std::string text;
    for (int i = 0; i < line && std::getline(lines, text); ++i) {
    }
    return text;
}

// The folders of the program and of zvk; resources/ and store/ may hold
// Chinese text, the tests and the benchmarks' generated dictionary data too,
// and so may the framework's own string table.
TEST(CjkLiterals, NoneInTheProgramsCodeOutsideResourcesAndStore) {
    const std::filesystem::path root = QUORBEX_SOURCE_DIR;
    int files = 0;
    for (const char* folder :
         {"app", "cli", "dialogs", "document", "frames", "platform", "views"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h") ||
                entry.path() == root / "platform" / "framework_strings.h") {
                continue;
            }
            ++files;
            const std::string source = ReadFile(entry.path());
            for (const int line : CjkLiteralLines(source)) {
                ADD_FAILURE() << std::filesystem::relative(entry.path(), root).string() << ":"
                              << line << ": " << LineOf(source, line);
            }
        }
    }
    EXPECT_GT(files, 0) << "no source files under " << root;
}

}  // namespace
}  // namespace quorbex::testing
