#include "csv/text_encoding.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <new>

namespace quorbex::csv {

std::optional<TextEncoding> EncodingNamed(std::string_view name) {
    if (name == "auto") {
        return TextEncoding::Auto;
    }
    if (name == "utf-8") {
        return TextEncoding::Utf8;
    }
    if (name == "gbk") {
        return TextEncoding::Gbk;
    }
    return std::nullopt;
}

// iconv decodes UTF-8 strictly: an overlong form, a surrogate or a stray
// continuation byte stops it.
struct EncodingDetector::Converter {
    iconv_t handle = iconv_open("UTF-32LE", "UTF-8");
    ~Converter() {
        if (handle != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(handle);
        }
    }
};

EncodingDetector::EncodingDetector() : m_converter(std::make_unique<Converter>()) {
    if (m_converter->handle == reinterpret_cast<iconv_t>(-1)) {
        throw std::bad_alloc();
    }
}

EncodingDetector::~EncodingDetector() = default;

void EncodingDetector::Feed(std::string_view text) {
    if (!m_utf8) {
        return;
    }
    m_pending.append(text);
    char* in = m_pending.data();
    std::size_t inLeft = m_pending.size();
    std::array<char, 4096> decoded;
    while (inLeft > 0) {
        char* out = decoded.data();
        std::size_t outLeft = decoded.size();
        if (iconv(m_converter->handle, &in, &inLeft, &out, &outLeft) !=
            static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        if (errno == EILSEQ) {
            m_utf8 = false;
            m_pending.clear();
            return;
        }
        break;  // EINVAL: a character goes on in the next piece
    }
    m_pending.erase(0, m_pending.size() - inLeft);
}

TextEncoding EncodingDetector::Result() const {
    return m_utf8 && m_pending.empty() ? TextEncoding::Utf8 : TextEncoding::Gbk;
}

}  // namespace quorbex::csv
