#include "store/vector_scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorbex::scan {

std::size_t FindBytePairPlain(const char* text, std::size_t from, std::size_t end, char first,
                              char last, std::size_t gap) {
    for (std::size_t p = from; p < end; ++p) {
        if (text[p] == first && text[p + gap] == last) {
            return p;
        }
    }
    return end;
}

std::size_t FindZeroPlain(const std::uint8_t* bytes, std::size_t limit) {
    for (std::size_t i = 0; i < limit; ++i) {
        if (bytes[i] == 0) {
            return i;
        }
    }
    return limit;
}

#if defined(__SSE2__)

bool HaveSse2() {
    return true;
}

// Sixteen candidates at a time: one comparison for the pattern's first byte,
// one for its last, and a bit per position where both hold.
std::size_t FindBytePairSse2(const char* text, std::size_t from, std::size_t end, char first,
                             char last, std::size_t gap) {
    const __m128i firsts = _mm_set1_epi8(first);
    const __m128i lasts = _mm_set1_epi8(last);
    for (std::size_t p = from; p < end; p += 16) {
        const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + gap));
        unsigned both = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, firsts), _mm_cmpeq_epi8(tail, lasts))));
        if (end - p < 16) {
            both &= (1U << (end - p)) - 1;
        }
        if (both != 0) {
            return p + static_cast<std::size_t>(__builtin_ctz(both));
        }
    }
    return end;
}

std::size_t FindZeroSse2(const std::uint8_t* bytes, std::size_t limit) {
    const __m128i zero = _mm_setzero_si128();
    for (std::size_t i = 0; i < limit; i += 16) {
        const auto zeros = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)), zero)));
        if (zeros != 0) {
            const std::size_t found = i + static_cast<std::size_t>(__builtin_ctz(zeros));
            return found < limit ? found : limit;
        }
    }
    return limit;
}

std::size_t FindBytePair(const char* text, std::size_t from, std::size_t end, char first, char last,
                         std::size_t gap) {
    return FindBytePairSse2(text, from, end, first, last, gap);
}

std::size_t FindZero(const std::uint8_t* bytes, std::size_t limit) {
    return FindZeroSse2(bytes, limit);
}

#else

bool HaveSse2() {
    return false;
}

std::size_t FindBytePairSse2(const char* text, std::size_t from, std::size_t end, char first,
                             char last, std::size_t gap) {
    return FindBytePairPlain(text, from, end, first, last, gap);
}

std::size_t FindBytePair(const char* text, std::size_t from, std::size_t end, char first, char last,
                         std::size_t gap) {
    return FindBytePairPlain(text, from, end, first, last, gap);
}

std::size_t FindZeroSse2(const std::uint8_t* bytes, std::size_t limit) {
    return FindZeroPlain(bytes, limit);
}

std::size_t FindZero(const std::uint8_t* bytes, std::size_t limit) {
    return FindZeroPlain(bytes, limit);
}

#endif

}  // namespace quorbex::scan
