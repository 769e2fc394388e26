#include "store/quick_match.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>
#include <utility>

#include "store/edit_distance.h"
#include "store/pinyin_match.h"
#include "store/quick_fold.h"
#include "store/quick_query.h"
#include "store/search_index.h"

namespace quorbex {

namespace {

// The order of the folded names in an entry.
constexpr std::array<Field, 4> NAME_FIELDS{Field::TradeName, Field::PinyinInitials,
                                           Field::EnglishName, Field::OtherNames};
constexpr std::array<Field, 3> TEXT_FIELDS{Field::Function, Field::Usage, Field::Cautions};

// The k-th NUL-ended text of texts.
std::string_view Part(std::string_view texts, std::size_t k) {
    std::size_t begin = 0;
    for (; k > 0; --k) {
        begin = texts.find('\0', begin) + 1;
    }
    return texts.substr(begin, texts.find('\0', begin) - begin);
}

void AppendFolded(std::string& texts, const MemFile& image, std::uint32_t number, Field field) {
    texts += quickfold::Fold(FieldInImage(image, number, field));
    texts += '\0';
}

QuickRank RankOfName(NameFit fit) {
    return fit == NameFit::Whole   ? QuickRank::ExactName
           : fit == NameFit::Start ? QuickRank::NamePrefix
                                   : QuickRank::NameContains;
}

// A pinyin match's first two letters, or its one letter, as one of 256 bits.
std::size_t StartBit(char first, char second = 0) {
    const auto index = [](char c) -> unsigned {
        return c >= 'a' && c <= 'z' ? c - 'a' + 1U : c >= '0' && c <= '9' ? c - '0' + 27U : 0U;
    };
    return (index(first) * 37 + index(second)) % 256;
}

// The bits of every start that a pinyin match of the units can have: a
// unit's spelling begun, alone or with its second letter, or with the first
// letter of a spelling of the next unit (the unit giving just one letter).
std::bitset<256> StartBits(const PinyinUnits& units) {
    std::bitset<256> bits;
    for (std::size_t unit = 0; unit < units.Count(); ++unit) {
        units.Spellings(unit, [&](std::string_view spelling) {
            bits.set(StartBit(spelling[0]));
            if (spelling.size() > 1) {
                bits.set(StartBit(spelling[0], spelling[1]));
            }
            if (unit + 1 < units.Count()) {
                units.Spellings(unit + 1, [&](std::string_view next) {
                    bits.set(StartBit(spelling[0], next[0]));
                });
            }
        });
    }
    return bits;
}

std::size_t StartBitOf(std::string_view pinyinQuery) {
    return StartBit(pinyinQuery[0], pinyinQuery.size() > 1 ? pinyinQuery[1] : 0);
}

// How deep the records' heads reach: past the largest allowance below.
constexpr std::size_t EDIT_HEAD_DEPTH = 3;

// The quick search's allowance of edits for a compared text of this many
// bytes: none below 3, 1 up to 5, 2 from 6.
int EditLimit(std::size_t length) {
    return length < 3 ? -1 : length < 6 ? 1 : 2;
}

}  // namespace

QuickMatcher::QuickMatcher(const MemFile& image) : m_image(image) {}

void QuickMatcher::Reset() {
    std::vector<Entry>().swap(m_entries);
    m_built = false;
    m_textsBuilt = false;
}

QuickMatcher::Entry QuickMatcher::Make(std::uint32_t number, bool withTexts) const {
    Entry entry;
    for (const Field field : NAME_FIELDS) {
        AppendFolded(entry.names, m_image, number, field);
    }
    const PinyinUnits units(Part(entry.names, 0));
    entry.pinyinStarts = StartBits(units);
    entry.pinyinHead = HeadBytes(units, EDIT_HEAD_DEPTH);
    entry.englishHead = HeadBytesOfText(Part(entry.names, 2), EDIT_HEAD_DEPTH);
    if (withTexts) {
        MakeTexts(number, entry);
    }
    return entry;
}

void QuickMatcher::MakeTexts(std::uint32_t number, Entry& entry) const {
    entry.texts.clear();
    for (const Field field : TEXT_FIELDS) {
        AppendFolded(entry.texts, m_image, number, field);
    }
}

void QuickMatcher::EnsureBuilt(std::uint32_t count, bool withTexts) {
    if (!m_built) {
        m_entries.clear();
        m_entries.reserve(count);
        for (std::uint32_t number = 1; number <= count; ++number) {
            m_entries.push_back(Make(number, withTexts));
        }
        m_built = true;
        m_textsBuilt = withTexts;
    } else if (withTexts && !m_textsBuilt) {
        for (std::uint32_t number = 1; number <= m_entries.size(); ++number) {
            MakeTexts(number, m_entries[number - 1]);
        }
        m_textsBuilt = true;
    }
}

void QuickMatcher::Append() {
    if (m_built) {
        m_entries.push_back(Make(static_cast<std::uint32_t>(m_entries.size() + 1), m_textsBuilt));
    }
}

void QuickMatcher::Replace(std::uint32_t number) {
    if (m_built && number >= 1 && number <= m_entries.size()) {
        m_entries[number - 1] = Make(number, m_textsBuilt);
    }
}

void QuickMatcher::Erase(std::uint32_t number) {
    if (m_built && number >= 1 && number <= m_entries.size()) {
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(number - 1));
    }
}

QuickStatus QuickMatcher::Find(std::string_view query, int mask, std::uint32_t count,
                               std::vector<QuickHit>& hits) {
    const QuickQuery prepared = PrepareQuickQuery(query);
    if (prepared.status != QuickStatus::Found) {
        return prepared.status;
    }
    const int fields = SelectedFields(mask);
    const bool searchesTexts = (fields & (SEARCH_FUNCTION | SEARCH_USAGE | SEARCH_CAUTIONS)) != 0;
    EnsureBuilt(count, searchesTexts);

    const std::string_view q = prepared.folded;
    const bool pinyin = (fields & SEARCH_PINYIN) != 0 && prepared.pinyin.has_value();
    const std::size_t start = pinyin ? StartBitOf(*prepared.pinyin) : 0;

    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        const Entry& entry = m_entries[index];
        bool found = false;
        QuickRank best = QuickRank::OtherField;
        const auto take = [&found, &best](QuickRank rank) {
            best = found ? std::min(best, rank) : rank;
            found = true;
        };
        // Most records hold the query in none of their names: one search of
        // them all tells.
        if (entry.names.find(q) != std::string::npos) {
            for (std::size_t k = 0; k < NAME_FIELDS.size(); ++k) {
                const Field field = NAME_FIELDS[k];
                if ((fields & MaskBitOf(field)) == 0) {
                    continue;
                }
                const std::string_view text = Part(entry.names, k);
                if (field == Field::PinyinInitials) {
                    const NameFit fit = FitName(text, q);
                    if (fit != NameFit::None) {
                        take(fit == NameFit::Within ? QuickRank::NameContains
                                                    : QuickRank::PinyinPrefix);
                    }
                } else if (field == Field::OtherNames) {
                    ForEachOtherName(text, [&](std::string_view name) {
                        if (const NameFit fit = FitName(name, q); fit != NameFit::None) {
                            take(RankOfName(fit));
                        }
                    });
                } else if (const NameFit fit = FitName(text, q); fit != NameFit::None) {
                    take(RankOfName(fit));
                }
            }
        }
        if (pinyin && (!found || best > QuickRank::PinyinPrefix) &&
            entry.pinyinStarts.test(start)) {
            const PinyinFit fit = FitPinyin(PinyinUnits(Part(entry.names, 0)), *prepared.pinyin);
            if (fit != PinyinFit::None) {
                take(fit == PinyinFit::FromFirstUnit ? QuickRank::PinyinPrefix
                                                     : QuickRank::NameContains);
            }
        }
        if (!found && searchesTexts) {
            for (std::size_t k = 0; k < TEXT_FIELDS.size() && !found; ++k) {
                if ((fields & MaskBitOf(TEXT_FIELDS[k])) != 0 &&
                    quickfold::FindAtCharacter(Part(entry.texts, k), q) != std::string_view::npos) {
                    take(QuickRank::OtherField);
                }
            }
        }
        if (found) {
            hits.push_back({static_cast<std::uint32_t>(index + 1), best});
        }
    }
    return hits.empty() ? QuickStatus::NotFound : QuickStatus::Found;
}

std::vector<QuickCandidate> QuickMatcher::Candidates(std::string_view query, std::uint32_t count) {
    std::vector<QuickCandidate> candidates;
    const QuickQuery prepared = PrepareQuickQuery(query);
    if (prepared.status != QuickStatus::Found) {
        return candidates;
    }
    EnsureBuilt(count, false);
    const std::string spelling = SpellingOfQuery(prepared.folded);
    const int englishLimit = prepared.ascii ? EditLimit(prepared.folded.size()) : -1;
    const int pinyinLimit = EditLimit(spelling.size());
    if (englishLimit < 0 && pinyinLimit < 0) {
        return candidates;
    }
    const std::uint32_t englishHead =
        englishLimit < 0
            ? 0
            : HeadBytesOfText(prepared.folded, static_cast<std::size_t>(englishLimit) + 1);
    const std::uint32_t pinyinHead =
        pinyinLimit < 0 ? 0 : HeadBytesOfText(spelling, static_cast<std::size_t>(pinyinLimit) + 1);
    // What a record that the heads tell apart counts as.
    constexpr EditDistances far{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        const Entry& entry = m_entries[index];
        const EditDistances english =
            (entry.englishHead & englishHead) != 0
                ? DistancesToText(prepared.folded, Part(entry.names, 2), englishLimit)
                : far;
        const EditDistances pinyin =
            (entry.pinyinHead & pinyinHead) != 0
                ? DistancesToName(spelling, PinyinUnits(Part(entry.names, 0)), pinyinLimit)
                : far;
        const bool englishNear = english.prefix <= englishLimit;
        const bool pinyinNear = pinyin.prefix <= pinyinLimit;
        if (!englishNear && !pinyinNear) {
            continue;
        }
        const EditDistances closer =
            !pinyinNear || (englishNear && std::pair(english.prefix, english.whole) <=
                                               std::pair(pinyin.prefix, pinyin.whole))
                ? english
                : pinyin;
        candidates.push_back({static_cast<std::uint32_t>(index + 1), closer.prefix, closer.whole});
    }
    return candidates;
}

std::size_t QuickMatcher::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + m_entries.capacity() * sizeof(Entry);
    // A short string is held in the string itself.
    const std::size_t inlineCapacity = std::string().capacity();
    for (const Entry& entry : m_entries) {
        for (const std::string* text : {&entry.names, &entry.texts}) {
            bytes += text->capacity() > inlineCapacity ? text->capacity() + 1 : 0;
        }
    }
    return bytes;
}

std::size_t QuickMatcher::PinyinBytes() const {
    return m_entries.size() * (sizeof(Entry::pinyinStarts) + sizeof(Entry::pinyinHead));
}

}  // namespace quorbex
