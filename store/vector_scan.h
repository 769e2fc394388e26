// The search index's inner loops, each in a vector form (SSE2, which every
// x86-64 processor has) and a plain form that gives the same answers on every
// input. The index calls the unsuffixed names, which pick the vector form
// where the compiler targets SSE2 and the plain one elsewhere; tests call both.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorbex::scan {

// How many bytes past `end - 1 + gap` FindBytePair may read (never uses them).
inline constexpr std::size_t BYTE_PAIR_OVERREAD = 16;

// The first position p in [from, end) where text[p] == first and
// text[p + gap] == last, or end when there is none. Reads text up to
// text[end - 1 + gap + BYTE_PAIR_OVERREAD - 1], so the caller keeps that many
// readable bytes after the last candidate's pair.
std::size_t FindBytePair(const char* text, std::size_t from, std::size_t end, char first, char last,
                         std::size_t gap);
std::size_t FindBytePairPlain(const char* text, std::size_t from, std::size_t end, char first,
                              char last, std::size_t gap);
std::size_t FindBytePairSse2(const char* text, std::size_t from, std::size_t end, char first,
                             char last, std::size_t gap);

// How many bytes past bytes[limit - 1] FindZero may read (never uses them).
inline constexpr std::size_t ZERO_OVERREAD = 15;

// The position of the first zero byte among bytes[0, limit), or limit when
// there is none: the length of a NUL-terminated field. Reads bytes up to
// bytes[limit - 1 + ZERO_OVERREAD].
std::size_t FindZero(const std::uint8_t* bytes, std::size_t limit);
std::size_t FindZeroPlain(const std::uint8_t* bytes, std::size_t limit);
std::size_t FindZeroSse2(const std::uint8_t* bytes, std::size_t limit);

// Whether the vector form in this build (where it does not, the Sse2
// function is the plain one).
bool HaveSse2();

}  // namespace quorbex::scan
