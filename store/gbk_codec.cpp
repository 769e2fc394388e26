#include "store/gbk_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace quorbex {

namespace {

constexpr const char* GBK_CHARSET = "CP936";

// The system loads a converter when it is first opened, and one it could not
// load reads as one it lacks (EINVAL). Where not even this much memory is
// left, the shortage is the cause.
bool MemoryIsShort() {
    constexpr std::size_t PROBE_BYTES = 1024 * 1024;
    // Volatile, so that the compiler keeps the allocation it would drop.
    void* volatile probe = std::malloc(PROBE_BYTES);
    const bool shortOfMemory = probe == nullptr;
    std::free(probe);
    return shortOfMemory;
}

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) {
            if (errno == ENOMEM || (errno == EINVAL && MemoryIsShort())) {
                throw std::bad_alloc();
            }
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~Iconv() { iconv_close(m_handle); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts as much as it can; answers errno of the stop, or 0 at the end
    // of the input. input and the output are advanced past what was converted.
    int Step(std::string_view& input, std::string& output) {
        char buffer[256];
        for (;;) {
            char* in = const_cast<char*>(input.data());
            std::size_t inLeft = input.size();
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            output.append(buffer, sizeof buffer - outLeft);
            input.remove_prefix(input.size() - inLeft);
            if (error != E2BIG) {
                return error;
            }
        }
    }

private:
    iconv_t m_handle;
};

#include "store/cp936_decode_tables.inc"

constexpr std::uint32_t REPLACEMENT_CODE_POINT = 0xFFFD;

// UTF-8 of the code points of the Basic Multilingual Plane, all that the
// tables hold.
std::size_t Utf8Length(std::uint32_t codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : 3;
}

char* WriteUtf8(char* out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        *out++ = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        *out++ = static_cast<char>(0xC0 | codePoint >> 6);
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        *out++ = static_cast<char>(0xE0 | codePoint >> 12);
        *out++ = static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 1;
    return std::min(length, text.size());
}

// The first of Unicode's tag characters (U+E0000 to U+E007F), or npos.
// glibc's converters drop them without a word; GBK holds none of them, so
// they are refused like any other character it cannot hold.
std::size_t FirstTagCharacter(std::string_view utf8) {
    for (std::size_t i = 0; i + 3 < utf8.size(); ++i) {
        const auto byte = [&utf8, i](std::size_t k) {
            return static_cast<unsigned char>(utf8[i + k]);
        };
        if (byte(0) == 0xF3 && byte(1) == 0xA0 && (byte(2) == 0x80 || byte(2) == 0x81) &&
            (byte(3) & 0xC0) == 0x80) {
            return i;
        }
    }
    return std::string_view::npos;
}

// Decodes as iconv's CP936 converter does, from tables taken from it at build
// time, and as the converter's caller did: a byte that does not start a
// character it can read becomes U+FFFD, and decoding goes on with the next.
// Calls emit with each code point in turn.
template <typename Emit>
void DecodeGbk(std::string_view gbk, Emit&& emit) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(gbk.data());
    const std::size_t size = gbk.size();
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t byte = bytes[i];
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < size) {
            const std::uint8_t trail = bytes[i + 1];
            if (trail >= 0x40 && trail <= 0xFE) {
                if (const std::uint16_t codePoint = CP936_PAIRS[byte - 0x81][trail - 0x40]) {
                    emit(codePoint);
                    i += 2;
                    continue;
                }
            }
        }
        const std::int32_t single = CP936_SINGLE_BYTES[byte];
        emit(single >= 0 ? static_cast<std::uint32_t>(single) : REPLACEMENT_CODE_POINT);
        ++i;
    }
}

}  // namespace

// A first pass measures the UTF-8, a second writes it.
std::string GbkToUtf8(std::string_view gbk) {
    std::size_t length = 0;
    DecodeGbk(gbk, [&length](std::uint32_t codePoint) { length += Utf8Length(codePoint); });
    std::string output(length, '\0');
    char* out = output.data();
    DecodeGbk(gbk, [&out](std::uint32_t codePoint) { out = WriteUtf8(out, codePoint); });
    return output;
}

// GBK holds no U+FFFD, so the replacement marks exactly the bytes that do not
// come back; every character that the tables decode encodes as the same bytes.
bool IsGbkText(std::string_view gbk) {
    bool readable = true;
    DecodeGbk(gbk, [&readable](std::uint32_t codePoint) {
        readable = readable && codePoint != REPLACEMENT_CODE_POINT;
    });
    return readable;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8, GbkEncodeError* error) {
    // Plain ASCII is the same bytes in both, and needs no converter.
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(utf8);
    }
    // Converts up to the first tag character; the fault is the converter's
    // if it stops before that.
    const std::size_t tag = FirstTagCharacter(utf8);
    const std::string_view convertible = utf8.substr(0, tag);
    std::string_view rest = convertible;
    Iconv converter(GBK_CHARSET, "UTF-8");
    std::string output;
    output.reserve(utf8.size());
    const bool converted = converter.Step(rest, output) == 0;
    if (converted && tag == std::string_view::npos) {
        return output;
    }
    if (error != nullptr) {
        const std::size_t offset = converted ? tag : convertible.size() - rest.size();
        const std::string_view fault = utf8.substr(offset);
        error->offset = offset;
        error->character = std::string(fault.substr(0, Utf8SequenceLength(fault)));
    }
    return std::nullopt;
}

}  // namespace quorbex
