#include "store/cp936.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorbex::cp936 {

namespace {

// Pairs (character, upper-case form), generated at build time from the code
// page and the Unicode case mapping.
constexpr std::pair<std::uint16_t, std::uint16_t> UPPER_PAIRS[] = {
#include "store/cp936_upper_pairs.inc"
};

// The upper-case forms, by lead byte: only the few lead bytes that begin a
// character with case have a row, 256 forms indexed by the trail byte.
class UpperForms {
public:
    UpperForms() {
        for (const auto& [from, to] : UPPER_PAIRS) {
            const std::size_t lead = from >> 8;
            if (m_rowOf[lead] == 0) {
                auto& row = m_rows.emplace_back();
                for (std::size_t trail = 0; trail < row.size(); ++trail) {
                    row[trail] = static_cast<std::uint16_t>(lead << 8 | trail);
                }
                m_rowOf[lead] = static_cast<std::uint8_t>(m_rows.size());
            }
            m_rows[m_rowOf[lead] - 1U][from & 0xFF] = to;
        }
    }

    bool LeadHasCase(std::uint8_t lead) const { return m_rowOf[lead] != 0; }

    std::uint16_t Of(std::uint8_t lead, std::uint8_t trail) const {
        const std::uint8_t row = m_rowOf[lead];
        return row == 0 ? static_cast<std::uint16_t>(lead << 8 | trail) : m_rows[row - 1U][trail];
    }

private:
    std::array<std::uint8_t, 256> m_rowOf{};  // 1 + the row's index, or 0 for none
    std::vector<std::array<std::uint16_t, 256>> m_rows;
};

const UpperForms& UpperTable() {
    static const UpperForms forms;
    return forms;
}

// The next character of text from position i: its value, and where the one
// after it starts. A lead byte at the end counts as the end of the text.
struct Character {
    unsigned value;
    std::size_t next;
};

Character NextCharacter(std::string_view text, std::size_t i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if (IsLeadByte(byte)) {
        if (i + 1 >= text.size()) {
            return {0, text.size()};
        }
        return {byte * 256U + static_cast<std::uint8_t>(text[i + 1]), i + 2};
    }
    return {byte, i + 1};
}

}  // namespace

std::uint16_t UpperDoubleByte(std::uint16_t character) {
    return UpperTable().Of(static_cast<std::uint8_t>(character >> 8),
                           static_cast<std::uint8_t>(character & 0xFF));
}

void UpperCaseInPlace(std::string& text) {
    const auto& table = UpperTable();
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (IsLeadByte(byte) && i + 1 < text.size()) {
            const std::uint16_t upper = table.Of(byte, static_cast<std::uint8_t>(text[i + 1]));
            text[i] = static_cast<char>(upper >> 8);
            text[i + 1] = static_cast<char>(upper & 0xFF);
            i += 2;
        } else {
            if (byte >= 'a' && byte <= 'z') {
                text[i] = static_cast<char>(byte - 'a' + 'A');
            }
            ++i;
        }
    }
}

namespace {

void MarkStart(std::uint8_t* starts, std::size_t bit) {
    starts[bit >> 3] = static_cast<std::uint8_t>(starts[bit >> 3] | 1U << (bit & 7));
}

void FoldPlain(const UpperForms& table, std::string_view text, char* out, std::uint8_t* starts,
               std::size_t firstBit) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t byte = in[i];
        MarkStart(starts, firstBit + i);
        if (IsLeadByte(byte) && i + 1 < size) {
            const std::uint16_t upper = table.Of(byte, in[i + 1]);
            out[i] = static_cast<char>(upper >> 8);
            out[i + 1] = static_cast<char>(upper & 0xFF);
            i += 2;
        } else {
            out[i] = static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
            ++i;
        }
    }
}

}  // namespace

void UpperCaseJoinedMarkingStartsPlain(const std::string_view* texts, std::size_t count, char* out,
                                       std::uint8_t* starts) {
    const UpperForms& table = UpperTable();
    std::size_t at = 0;
    for (std::size_t k = 0; k < count; ++k) {
        FoldPlain(table, texts[k], out + at, starts, at);
        at += texts[k].size();
    }
}

#if defined(__SSE2__)

namespace {

// A test for bytes within [low, high] of an unsigned range, done on signed
// bytes (SSE2 compares only those): flipping the top bit maps one order onto
// the other. An empty range when low > high.
class ByteRange {
public:
    ByteRange(int low, int high)
        : m_below(_mm_set1_epi8(static_cast<char>(low > high ? 0 : ((low ^ 0x80) - 1)))),
          m_above(_mm_set1_epi8(static_cast<char>(low > high ? 0 : ((high ^ 0x80) + 1)))) {}

    // For 1 <= low and high <= 0xFE, so that both bounds fit a signed byte.
    std::uint64_t Mask(__m128i flipped) const {
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpgt_epi8(flipped, m_below), _mm_cmplt_epi8(flipped, m_above))));
    }

private:
    __m128i m_below;
    __m128i m_above;
};

// What the folding compares against, made once: the lead bytes, the letters
// a-z, and the lead and trail bytes of the double-byte characters with case.
struct FoldRanges {
    ByteRange leads{0x81, 0xFE};
    ByteRange lower{'a', 'z'};
    ByteRange casedLeads{0x100, -1};
    ByteRange casedTrails{0x100, -1};
};

const FoldRanges& Ranges() {
    static const FoldRanges ranges = [] {
        int leadLow = 0x100;
        int leadHigh = -1;
        int trailLow = 0x100;
        int trailHigh = -1;
        for (const auto& [from, to] : UPPER_PAIRS) {
            leadLow = std::min(leadLow, from >> 8);
            leadHigh = std::max(leadHigh, from >> 8);
            trailLow = std::min(trailLow, from & 0xFF);
            trailHigh = std::max(trailHigh, from & 0xFF);
        }
        FoldRanges built;
        built.casedLeads = ByteRange(leadLow, leadHigh);
        built.casedTrails = ByteRange(trailLow, trailHigh);
        return built;
    }();
    return ranges;
}

// Bit i of each mask stands for byte i of a 64-byte chunk.
struct ChunkMasks {
    std::uint64_t leads = 0;
    std::uint64_t lower = 0;
    std::uint64_t casedLeads = 0;
    std::uint64_t casedTrails = 0;
};

// The masks of the first blocks 16-byte blocks of chunk; the rest are zero.
ChunkMasks Classify(const FoldRanges& ranges, const std::uint8_t* chunk, std::size_t blocks) {
    const __m128i top = _mm_set1_epi8(static_cast<char>(0x80));
    ChunkMasks masks;
    for (std::size_t block = 0; block < blocks; ++block) {
        const __m128i flipped = _mm_xor_si128(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * block)), top);
        const unsigned shift = static_cast<unsigned>(16 * block);
        masks.leads |= ranges.leads.Mask(flipped) << shift;
        masks.lower |= ranges.lower.Mask(flipped) << shift;
        masks.casedLeads |= ranges.casedLeads.Mask(flipped) << shift;
        masks.casedTrails |= ranges.casedTrails.Mask(flipped) << shift;
    }
    return masks;
}

// The bytes of a chunk that are second bytes of a double-byte character, given
// its lead bytes and whether its first byte is one (a lead byte that is itself
// a second byte pairs with nothing). The carry-propagating subtraction finds
// the runs of lead bytes of odd length, as a JSON parser finds backslashes
// that escape the next character.
std::uint64_t TrailBytes(std::uint64_t leads, std::uint64_t& firstIsTrail) {
    constexpr std::uint64_t ODD_BITS = 0xAAAAAAAAAAAAAAAAULL;
    const std::uint64_t potential = leads & ~firstIsTrail;
    const std::uint64_t code = (((potential << 1) | ODD_BITS) - potential) ^ ODD_BITS;
    const std::uint64_t trails = code ^ (leads | firstIsTrail);
    const std::uint64_t pairing = code & leads;
    firstIsTrail = pairing >> 63;
    return trails;
}

// Byte i of the result is 0x20 where bit i of mask is set.
__m128i CaseOffsets(unsigned mask) {
    __m128i bits = _mm_cvtsi32_si128(static_cast<int>(mask));
    bits = _mm_unpacklo_epi8(bits, bits);
    bits = _mm_unpacklo_epi16(bits, bits);
    bits = _mm_unpacklo_epi32(bits, bits);  // bytes 0-7: mask bits 0-7; bytes 8-15: bits 8-15
    const __m128i select = _mm_set_epi8(-128, 64, 32, 16, 8, 4, 2, 1, -128, 64, 32, 16, 8, 4, 2, 1);
    const __m128i set = _mm_cmpeq_epi8(_mm_and_si128(bits, select), select);
    return _mm_and_si128(set, _mm_set1_epi8(0x20));
}

// ORs the 64 bits of mask into the bit set from bit position firstBit on.
void OrBits(std::uint8_t* starts, std::size_t firstBit, std::uint64_t mask) {
    std::uint8_t* at = starts + firstBit / 8;
    const unsigned shift = firstBit % 8;
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    word |= mask << shift;
    std::memcpy(at, &word, sizeof word);
    if (shift != 0 && (mask >> (64 - shift)) != 0) {
        at[8] = static_cast<std::uint8_t>(at[8] | mask >> (64 - shift));
    }
}

// Sixty-four bytes at a time, in blocks of sixteen: where the characters
// start, from the lead bytes; the letters a-z that start one, lowered by 0x20
// in one subtraction; and, one by one, the few double-byte characters that
// may have case.
void FoldSse2(const UpperForms& table, const FoldRanges& ranges, std::string_view text, char* out,
              std::uint8_t* starts, std::size_t firstBit) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    // Writes the upper-case form of the double-byte character at i, if any.
    auto mend = [&table, in, out, size](std::size_t i) {
        if (i + 1 < size) {
            const std::uint16_t upper = table.Of(in[i], in[i + 1]);
            out[i] = static_cast<char>(upper >> 8);
            out[i + 1] = static_cast<char>(upper & 0xFF);
        }
    };
    constexpr std::size_t NONE = ~std::size_t{0};
    std::size_t pending = NONE;
    std::uint64_t firstIsTrail = 0;
    for (std::size_t position = 0; position < size; position += 64) {
        const std::size_t length = std::min<std::size_t>(64, size - position);
        const std::size_t blocks = (length + 15) / 16;
        const std::uint8_t* chunk = in + position;
        const std::uint64_t valid = length == 64 ? ~0ULL : (1ULL << length) - 1;
        const ChunkMasks masks = Classify(ranges, chunk, blocks);
        const std::uint64_t leads = masks.leads & valid;
        const std::uint64_t characterStarts = ~TrailBytes(leads, firstIsTrail) & valid;
        const std::uint64_t lowered = masks.lower & characterStarts;
        for (std::size_t block = 0; block < blocks; ++block) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + 16 * block));
            const auto blockMask = static_cast<unsigned>(lowered >> (16 * block) & 0xFFFF);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + position + 16 * block),
                             _mm_sub_epi8(bytes, CaseOffsets(blockMask)));
        }
        OrBits(starts, firstBit + position, characterStarts);
        // The last chunk's character that ended in this one can be mended now
        // that this chunk's bytes are in place.
        if (pending != NONE) {
            mend(pending);
            pending = NONE;
        }

        // A lead byte with case followed by a trail byte with case; the trail
        // of the chunk's last byte lies in the next chunk, and is looked at
        // directly once that one is written.
        const std::uint64_t followedByCasedTrail = masks.casedTrails >> 1 | 1ULL << 63;
        for (std::uint64_t mayHaveCase =
                 masks.casedLeads & leads & characterStarts & followedByCasedTrail;
             mayHaveCase != 0; mayHaveCase &= mayHaveCase - 1) {
            const std::size_t i = position + static_cast<std::size_t>(__builtin_ctzll(mayHaveCase));
            if (i + 1 == position + 64) {
                pending = i;
            } else {
                mend(i);
            }
        }
    }
    if (pending != NONE) {
        mend(pending);
    }
}

}  // namespace

void UpperCaseJoinedMarkingStartsSse2(const std::string_view* texts, std::size_t count, char* out,
                                      std::uint8_t* starts) {
    const UpperForms& table = UpperTable();
    const FoldRanges& ranges = Ranges();
    std::size_t at = 0;
    for (std::size_t k = 0; k < count; ++k) {
        FoldSse2(table, ranges, texts[k], out + at, starts, at);
        at += texts[k].size();
    }
}

void UpperCaseJoinedMarkingStarts(const std::string_view* texts, std::size_t count, char* out,
                                  std::uint8_t* starts) {
    UpperCaseJoinedMarkingStartsSse2(texts, count, out, starts);
}

#else

void UpperCaseJoinedMarkingStartsSse2(const std::string_view* texts, std::size_t count, char* out,
                                      std::uint8_t* starts) {
    UpperCaseJoinedMarkingStartsPlain(texts, count, out, starts);
}

void UpperCaseJoinedMarkingStarts(const std::string_view* texts, std::size_t count, char* out,
                                  std::uint8_t* starts) {
    UpperCaseJoinedMarkingStartsPlain(texts, count, out, starts);
}

#endif

int CompareNames(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        const Character x = i < a.size() ? NextCharacter(a, i) : Character{0, a.size()};
        const Character y = j < b.size() ? NextCharacter(b, j) : Character{0, b.size()};
        if (x.value != y.value) {
            return x.value < y.value ? -1 : 1;
        }
        if (x.value == 0) {
            return 0;
        }
        i = x.next;
        j = y.next;
    }
}

std::size_t NameCharacters(std::string_view name, std::uint16_t* out) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < name.size();) {
        const Character character = NextCharacter(name, i);
        if (character.value == 0) {
            break;  // a lone lead byte at the end, or a NUL, ends the name
        }
        out[count++] = static_cast<std::uint16_t>(character.value);
        i = character.next;
    }
    return count;
}

}  // namespace quorbex::cp936
