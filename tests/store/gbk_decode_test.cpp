// The table decoder behind GbkToUtf8 against iconv's CP936 converter, driven
// as GbkToUtf8 drove it before the tables: convert as far as it goes, and at
// a byte it cannot read write U+FFFD and go on with the next byte. Every byte,
// every pair of bytes alone and between other bytes, and generated text.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <random>
#include <string>
#include <string_view>

#include "store/gbk_codec.h"

namespace quorbex {
namespace {

class IconvDecoder {
public:
    IconvDecoder() : m_handle(iconv_open("UTF-8", "CP936")) {}
    ~IconvDecoder() { iconv_close(m_handle); }
    IconvDecoder(const IconvDecoder&) = delete;
    IconvDecoder& operator=(const IconvDecoder&) = delete;

    bool Valid() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    std::string Decode(std::string_view gbk) {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        std::string output;
        while (!gbk.empty()) {
            char buffer[256];
            char* in = const_cast<char*>(gbk.data());
            std::size_t inLeft = gbk.size();
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(m_handle, &in, &inLeft, &out, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            output.append(buffer, sizeof buffer - outLeft);
            gbk.remove_prefix(gbk.size() - inLeft);
            if (error == E2BIG) {
                continue;
            }
            if (error == 0) {
                break;
            }
            output += "\xEF\xBF\xBD";
            gbk.remove_prefix(1);
        }
        return output;
    }

private:
    iconv_t m_handle;
};

TEST(GbkDecode, EveryByteAndPairDecodesAsIconvDecodesIt) {
    IconvDecoder iconv;
    ASSERT_TRUE(iconv.Valid());
    for (unsigned first = 0; first < 256; ++first) {
        const std::string one(1, static_cast<char>(first));
        ASSERT_EQ(GbkToUtf8(one), iconv.Decode(one)) << "byte " << first;
        for (unsigned second = 0; second < 256; ++second) {
            const std::string pair{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(GbkToUtf8(pair), iconv.Decode(pair)) << "bytes " << first << " " << second;
            const std::string framed = "a" + pair + "\xB0";
            ASSERT_EQ(GbkToUtf8(framed), iconv.Decode(framed))
                << "bytes " << first << " " << second << " between others";
        }
    }
}

// What the tables call GBK text is what comes back through iconv's encoder.
TEST(GbkDecode, TextIsGbkExactlyWhenItComesBackFromUtf8) {
    const auto comesBack = [](const std::string& gbk) {
        const std::optional<std::string> encoded = Utf8ToGbk(GbkToUtf8(gbk));
        return encoded && *encoded == gbk;
    };
    for (unsigned first = 0; first < 256; ++first) {
        const std::string one(1, static_cast<char>(first));
        ASSERT_EQ(IsGbkText(one), comesBack(one)) << "byte " << first;
        for (unsigned second = 0; second < 256; ++second) {
            const std::string pair{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(IsGbkText(pair), comesBack(pair)) << "bytes " << first << " " << second;
        }
    }
}

TEST(GbkDecode, GeneratedTextDecodesAsIconvDecodesIt) {
    IconvDecoder iconv;
    ASSERT_TRUE(iconv.Valid());
    std::mt19937 rng(1316);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (std::size_t length = rng() % 40; text.size() < length;) {
            switch (rng() % 4) {
                case 0:
                    text += static_cast<char>(rng() % 0x80);
                    break;
                case 1:
                    text += static_cast<char>(0x81 + rng() % 0x7E);
                    text += static_cast<char>(0x40 + rng() % 0xBF);
                    break;
                case 2:
                    text += static_cast<char>(0x81 + rng() % 0x7E);
                    break;
                default:
                    text += static_cast<char>(rng());
                    break;
            }
        }
        ASSERT_EQ(GbkToUtf8(text), iconv.Decode(text)) << "round " << round;
    }
}

// What the command line and the dialogs pass in: plain ASCII takes a short
// way through the encoder, which must give what iconv gives.
TEST(GbkDecode, AsciiEncodesAsItself) {
    std::string all;
    for (int byte = 0; byte < 0x80; ++byte) {
        all += static_cast<char>(byte);
    }
    const auto gbk = Utf8ToGbk(all);
    ASSERT_TRUE(gbk);
    EXPECT_EQ(*gbk, all);
    EXPECT_EQ(GbkToUtf8(all), all);
}

}  // namespace
}  // namespace quorbex
