#include "store/gbk_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace quorbex {

namespace {

constexpr const char* GBK_CHARSET = "CP936";
constexpr std::string_view REPLACEMENT_CHARACTER = "\xEF\xBF\xBD";

class Iconv {
public:
    Iconv(const char* to, const char* from) : m_handle(iconv_open(to, from)) {
        if (m_handle == reinterpret_cast<iconv_t>(-1)) {
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

std::size_t Utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = lead < 0x80    ? 1
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC0 ? 2
                                        : 1;
    return std::min(length, text.size());
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    Iconv converter("UTF-8", GBK_CHARSET);
    std::string output;
    output.reserve(gbk.size() * 3 / 2);
    while (!gbk.empty()) {
        if (converter.Step(gbk, output) == 0) {
            break;
        }
        output += REPLACEMENT_CHARACTER;
        gbk.remove_prefix(1);
    }
    return output;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8, GbkEncodeError* error) {
    Iconv converter(GBK_CHARSET, "UTF-8");
    const std::size_t total = utf8.size();
    std::string output;
    output.reserve(utf8.size());
    if (converter.Step(utf8, output) == 0) {
        return output;
    }
    if (error != nullptr) {
        error->offset = total - utf8.size();
        error->character = std::string(utf8.substr(0, Utf8SequenceLength(utf8)));
    }
    return std::nullopt;
}

}  // namespace quorbex
