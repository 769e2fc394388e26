#include "store/pinyin_match.h"

#include <algorithm>
#include <vector>

#include "store/cp936.h"

namespace quorbex {

namespace {

bool IsAsciiLetterOrDigit(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Bit k for each position k of the query from which the units so far can go
// on; reaching the query's end is a match.
using Positions = std::uint64_t;

struct Step {
    Positions next;
    bool matched;
};

// Where the positions lead through one unit: from position p, any start of a
// spelling that the query holds from p on.
Step Advance(const PinyinUnits& units, std::size_t unit, Positions from, std::string_view query) {
    const std::size_t m = query.size();
    Step step{0, false};
    for (Positions rest = from; rest != 0; rest &= rest - 1) {
        const auto p = static_cast<std::size_t>(__builtin_ctzll(rest));
        units.Spellings(unit, [&](std::string_view spelling) {
            std::size_t common = 0;
            while (common < spelling.size() && p + common < m &&
                   spelling[common] == query[p + common]) {
                ++common;
            }
            if (common == 0) {
                return;
            }
            if (p + common == m) {
                step.matched = true;
            }
            // Positions p + 1 to p + common, those before the query's end.
            const std::size_t last = std::min(p + common, m - 1);
            if (last > p) {
                step.next |= ((Positions{1} << (last - p)) - 1) << (p + 1);
            }
        });
    }
    return step;
}

}  // namespace

char PinyinLetter(char c) {
    if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
    }
    return c == 'v' ? 'u' : c;
}

PinyinUnits::PinyinUnits(std::string_view folded) {
    for (std::size_t i = 0; i < folded.size() && m_count < MAX_UNITS;) {
        const auto byte = static_cast<std::uint8_t>(folded[i]);
        const std::size_t start = i;
        std::uint16_t code = 0;
        if (cp936::IsLeadByte(byte) && i + 1 < folded.size()) {
            const auto character =
                static_cast<std::uint16_t>(byte << 8 | static_cast<std::uint8_t>(folded[i + 1]));
            i += 2;
            if (pinyin::SpellingsOf(character).empty()) {
                continue;
            }
            code = character;
        } else {
            ++i;
            if (!IsAsciiLetterOrDigit(static_cast<char>(byte))) {
                continue;
            }
            code = byte;
        }
        if (start > 0xFF) {
            break;
        }
        m_codes[m_count] = code;
        m_starts[m_count] = static_cast<std::uint8_t>(start);
        ++m_count;
    }
}

std::string_view PinyinUnits::LiteralSpelling(std::uint16_t code) {
    static const std::array<char, 128> letters = [] {
        std::array<char, 128> table{};
        for (std::size_t c = 0; c < table.size(); ++c) {
            table[c] = PinyinLetter(static_cast<char>(c));
        }
        return table;
    }();
    return {&letters[code & 0x7F], 1};
}

std::string_view PinyinUnits::SpellingOfNumber(std::uint16_t number) {
    static const std::vector<std::string> spellings = [] {
        std::vector<std::string> table;
        for (std::uint16_t n = 0;; ++n) {
            std::string spelling(pinyin::SpellingText(n));
            if (spelling.empty()) {
                return table;
            }
            for (char& c : spelling) {
                c = PinyinLetter(c);
            }
            table.push_back(std::move(spelling));
        }
    }();
    return number < spellings.size() ? std::string_view(spellings[number]) : std::string_view();
}

std::optional<std::string> PinyinQuery(std::string_view folded) {
    std::string letters;
    for (const char c : folded) {
        if (IsAsciiLetterOrDigit(c)) {
            letters += PinyinLetter(c);
        } else if (c != ' ' && c != '\'') {
            return std::nullopt;
        }
    }
    if (letters.empty() || letters.size() > PINYIN_QUERY_MAX) {
        return std::nullopt;
    }
    return letters;
}

std::string SpellingOfQuery(std::string_view folded) {
    std::string spelling;
    for (std::size_t i = 0; i < folded.size();) {
        const auto byte = static_cast<std::uint8_t>(folded[i]);
        if (cp936::IsLeadByte(byte) && i + 1 < folded.size()) {
            const auto character =
                static_cast<std::uint16_t>(byte << 8 | static_cast<std::uint8_t>(folded[i + 1]));
            if (const auto numbers = pinyin::SpellingsOf(character); !numbers.empty()) {
                for (const char c : pinyin::SpellingText(numbers.front())) {
                    spelling += PinyinLetter(c);
                }
            }
            i += 2;
        } else {
            if (IsAsciiLetterOrDigit(static_cast<char>(byte))) {
                spelling += PinyinLetter(static_cast<char>(byte));
            }
            ++i;
        }
    }
    return spelling;
}

PinyinFit FitPinyin(const PinyinUnits& units, std::string_view pinyinQuery) {
    if (pinyinQuery.empty() || pinyinQuery.size() > PINYIN_QUERY_MAX) {
        return PinyinFit::None;
    }
    Positions fromFirst = 1;
    Positions fromLater = 0;
    bool later = false;
    for (std::size_t unit = 0; unit < units.Count() && (fromFirst != 0 || !later); ++unit) {
        if (unit > 0 && !later) {
            fromLater |= 1;
        }
        const Step first = Advance(units, unit, fromFirst, pinyinQuery);
        if (first.matched) {
            return PinyinFit::FromFirstUnit;
        }
        fromFirst = first.next;
        if (!later) {
            const Step step = Advance(units, unit, fromLater, pinyinQuery);
            later = step.matched;
            fromLater = step.next;
        }
    }
    return later ? PinyinFit::FromLaterUnit : PinyinFit::None;
}

std::optional<PinyinSpan> FirstPinyinSpan(const PinyinUnits& units, std::string_view pinyinQuery) {
    if (pinyinQuery.empty() || pinyinQuery.size() > PINYIN_QUERY_MAX) {
        return std::nullopt;
    }
    for (std::size_t first = 0; first < units.Count(); ++first) {
        Positions from = 1;
        for (std::size_t unit = first; unit < units.Count() && from != 0; ++unit) {
            const Step step = Advance(units, unit, from, pinyinQuery);
            if (step.matched) {
                return PinyinSpan{first, unit};
            }
            from = step.next;
        }
    }
    return std::nullopt;
}

}  // namespace quorbex
