// The encodings a drug list's CSV text may come in, and telling them apart:
// spreadsheets write UTF-8, with or without a byte order mark, or, set up
// for Chinese, GBK (GB18030).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorbex::csv {

enum class TextEncoding { Auto, Utf8, Gbk };

// "auto", "utf-8" and "gbk"; nothing for any other name.
std::optional<TextEncoding> EncodingNamed(std::string_view name);

// Tells the encoding of a text given in pieces of any size: UTF-8 when every
// byte belongs to a well-formed UTF-8 character (a byte order mark
// included), GBK otherwise. GBK text is almost never well-formed UTF-8: a
// Chinese character of two bytes would have to be followed by exactly the
// continuation bytes UTF-8 wants, at every character, throughout the text.
class EncodingDetector {
public:
    EncodingDetector();
    ~EncodingDetector();
    EncodingDetector(const EncodingDetector&) = delete;
    EncodingDetector& operator=(const EncodingDetector&) = delete;

    void Feed(std::string_view text);
    // Utf8 or Gbk, for the text fed so far taken as whole.
    TextEncoding Result() const;

private:
    struct Converter;
    std::unique_ptr<Converter> m_converter;
    std::string m_pending;  // the start of a character cut at the end of a piece
    bool m_utf8 = true;
};

}  // namespace quorbex::csv
