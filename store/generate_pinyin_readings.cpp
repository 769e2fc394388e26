// Build-time generator of the Mandarin reading tables of the code page 936
// characters, from Unihan_Readings.txt (bzip2-compressed, as Debian's
// unicode-data ships it); every double-byte character of the code page is
// decoded with iconv.
//
// The customary reading: the first kMandarin value. The generator writes the
// distinct customary readings in pinyin order, each with its plain form
// (letters without tone marks, ü as v, then the tone as a digit 1 to 5), and
// for every double-byte code the 1-based number of its reading (0: none).
//
// Every reading, for the quick search: the values of kMandarin, kHanyuPinyin
// (the Hanyu Da Zidian), kXHC1983 (the Xiandai Hanyu Cidian) and kTGHZ2013
// (the General Standard Chinese Characters list). kHanyuPinyin leaves out
// most simplified characters, so the two modern dictionaries give the
// readings that names use, such as shēn for 参 in 丹参 and cháng for 长.
// The generator writes the distinct spellings (the plain forms without their
// tone), and for every double-byte code the numbers of its spellings, the
// customary one first, then in the order above.
//
// usage: generate_pinyin_readings Unihan_Readings.txt.bz2 OUTPUT
#include <bzlib.h>
#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

std::optional<std::string> ReadBzip2(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    int error = BZ_OK;
    BZFILE* bz = BZ2_bzReadOpen(&error, file, 0, 0, nullptr, 0);
    std::string text;
    char buffer[65536];
    while (error == BZ_OK) {
        const int got = BZ2_bzRead(&error, bz, buffer, sizeof buffer);
        if (error == BZ_OK || error == BZ_STREAM_END) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
    }
    const bool complete = error == BZ_STREAM_END;
    BZ2_bzReadClose(&error, bz);
    std::fclose(file);
    if (!complete) {
        return std::nullopt;
    }
    return text;
}

// The readings of one code point: kMandarin's in its order, then the other
// sources' in theirs.
struct Readings {
    std::vector<std::string> mandarin;
    std::vector<std::string> others;
};

// The readings of a dictionary property's value: "0001.010:ā 0002.081:a" or
// "64119.110:ē,ě,ā": each space-separated entry holds locations, a colon and
// comma-separated readings.
std::vector<std::string> DictionaryReadings(const std::string& value) {
    std::vector<std::string> readings;
    std::istringstream entries(value);
    std::string entry;
    while (entries >> entry) {
        std::istringstream list(entry.substr(entry.find(':') + 1));
        std::string reading;
        while (std::getline(list, reading, ',')) {
            readings.push_back(reading);
        }
    }
    return readings;
}

std::map<std::uint32_t, Readings> ReadReadings(const std::string& text) {
    std::map<std::uint32_t, Readings> readings;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("U+", 0) != 0) {
            continue;
        }
        std::istringstream fields(line);
        std::string codePoint;
        std::string property;
        std::string value;
        if (!(fields >> codePoint >> property) || !std::getline(fields >> std::ws, value)) {
            continue;
        }
        const auto point = static_cast<std::uint32_t>(std::stoul(codePoint.substr(2), nullptr, 16));
        if (property == "kMandarin") {
            std::istringstream values(value);
            std::string reading;
            while (values >> reading) {
                readings[point].mandarin.push_back(reading);
            }
        } else if (property == "kHanyuPinyin" || property == "kXHC1983" ||
                   property == "kTGHZ2013") {
            for (std::string& reading : DictionaryReadings(value)) {
                readings[point].others.push_back(std::move(reading));
            }
        }
    }
    return readings;
}

std::vector<std::uint32_t> CodePoints(const std::string& utf8) {
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<std::uint8_t>(utf8[i]);
        const int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        std::uint32_t point = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k) {
            point = point << 6 | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

// The plain form of a reading: "lǜ" becomes "lv4", "ma" "ma5". Empty when the
// reading holds a character that is no letter of pinyin.
std::string PlainForm(const std::string& reading) {
    // Each marked letter: its base letter and tone.
    static const std::map<std::uint32_t, std::pair<char, int>> marked = {
        {0x101, {'a', 1}},  {0xE1, {'a', 2}},  {0x1CE, {'a', 3}},  {0xE0, {'a', 4}},
        {0x113, {'e', 1}},  {0xE9, {'e', 2}},  {0x11B, {'e', 3}},  {0xE8, {'e', 4}},
        {0x12B, {'i', 1}},  {0xED, {'i', 2}},  {0x1D0, {'i', 3}},  {0xEC, {'i', 4}},
        {0x14D, {'o', 1}},  {0xF3, {'o', 2}},  {0x1D2, {'o', 3}},  {0xF2, {'o', 4}},
        {0x16B, {'u', 1}},  {0xFA, {'u', 2}},  {0x1D4, {'u', 3}},  {0xF9, {'u', 4}},
        {0x1D6, {'v', 1}},  {0x1D8, {'v', 2}}, {0x1DA, {'v', 3}},  {0x1DC, {'v', 4}},
        {0xFC, {'v', 0}},   {0xEA, {'e', 0}},  {0x1EBF, {'e', 2}}, {0x1EC1, {'e', 4}},
        {0x1E3F, {'m', 2}}, {0x144, {'n', 2}}, {0x148, {'n', 3}},  {0x1F9, {'n', 4}},
    };
    // Combining marks: macron, acute, caron, grave.
    static const std::map<std::uint32_t, int> combining = {
        {0x304, 1}, {0x301, 2}, {0x30C, 3}, {0x300, 4}};
    std::string plain;
    int tone = 5;
    for (const std::uint32_t point : CodePoints(reading)) {
        if (point >= 'a' && point <= 'z') {
            plain += static_cast<char>(point);
        } else if (const auto letter = marked.find(point); letter != marked.end()) {
            plain += letter->second.first;
            if (letter->second.second != 0) {
                tone = letter->second.second;
            }
        } else if (const auto mark = combining.find(point); mark != combining.end()) {
            tone = mark->second;
        } else {
            return {};
        }
    }
    return plain.empty() ? plain : plain + static_cast<char>('0' + tone);
}

std::optional<std::uint32_t> DecodeGbk(iconv_t decoder, unsigned lead, unsigned trail) {
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    char out[8];
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 2;
    std::size_t outLeft = sizeof out;
    iconv(decoder, nullptr, nullptr, nullptr, nullptr);
    if (iconv(decoder, &inPointer, &inLeft, &outPointer, &outLeft) ==
            static_cast<std::size_t>(-1) ||
        sizeof out - outLeft != 4) {
        return std::nullopt;
    }
    std::uint32_t point = 0;
    for (int i = 3; i >= 0; --i) {
        point = point << 8 | static_cast<std::uint8_t>(out[i]);
    }
    return point;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<std::uint8_t>(c));
        quoted += escape;
    }
    return quoted + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: generate_pinyin_readings Unihan_Readings.txt.bz2 OUTPUT\n";
        return 2;
    }
    const std::optional<std::string> text = ReadBzip2(argv[1]);
    if (!text) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    const auto readings = ReadReadings(*text);
    const iconv_t decoder = iconv_open("UTF-32LE", "CP936");
    if (decoder == reinterpret_cast<iconv_t>(-1)) {
        std::cerr << "iconv has no CP936 converter\n";
        return 1;
    }

    // Every double-byte code's customary reading and spellings, and the
    // customary readings by plain form.
    constexpr std::size_t CODE_COUNT = 126 * 191;
    std::vector<std::string> readingOfCode(CODE_COUNT);
    std::vector<std::vector<std::string>> spellingsOfCode(CODE_COUNT);
    std::set<std::pair<std::string, std::string>> byPlainForm;  // plain form, reading
    std::set<std::string> spellings;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            const auto point = DecodeGbk(decoder, lead, trail);
            const auto found = point ? readings.find(*point) : readings.end();
            if (found == readings.end()) {
                continue;
            }
            const std::size_t code = (lead - 0x81) * 191 + (trail - 0x40);
            std::vector<std::string> all = found->second.mandarin;
            all.insert(all.end(), found->second.others.begin(), found->second.others.end());
            for (const std::string& reading : all) {
                const std::string plain = PlainForm(reading);
                if (plain.empty()) {
                    std::cerr << "reading " << reading << " is not pinyin\n";
                    return 1;
                }
                const std::string spelling = plain.substr(0, plain.size() - 1);
                std::vector<std::string>& list = spellingsOfCode[code];
                if (std::find(list.begin(), list.end(), spelling) == list.end()) {
                    list.push_back(spelling);
                    spellings.insert(spelling);
                }
            }
            if (!found->second.mandarin.empty()) {
                const std::string& customary = found->second.mandarin.front();
                readingOfCode[code] = customary;
                byPlainForm.emplace(PlainForm(customary), customary);
            }
        }
    }
    iconv_close(decoder);
    if (byPlainForm.empty()) {
        std::cerr << "no readings found\n";
        return 1;
    }

    // The plain forms in byte order are the pinyin order: a digit sorts
    // before every letter, so "a1" comes before "ai1".
    std::map<std::string, std::size_t> numberOfReading;
    std::ostringstream output;
    output << "// Generated by generate_pinyin_readings from Unihan's readings; do not edit.\n"
           << "constexpr Syllable SYLLABLES[] = {\n";
    for (const auto& [plain, reading] : byPlainForm) {
        numberOfReading[reading] = numberOfReading.size() + 1;
        output << "    {" << Quoted(reading) << ", \"" << plain << "\"},\n";
    }
    output << "};\nconstexpr std::uint16_t READING_OF_CODE[126 * 191] = {";
    for (std::size_t code = 0; code < readingOfCode.size(); ++code) {
        output << (code % 24 == 0 ? "\n    " : " ")
               << (readingOfCode[code].empty() ? 0 : numberOfReading.at(readingOfCode[code]))
               << ",";
    }
    output << "\n};\n";

    // The spellings, numbered from 0 in byte order; each code's list of them
    // in one array, and where each code's list starts in it.
    std::map<std::string, std::size_t> numberOfSpelling;
    output << "constexpr std::string_view SPELLINGS[] = {";
    for (const std::string& spelling : spellings) {
        output << (numberOfSpelling.size() % 12 == 0 ? "\n    " : " ") << "\"" << spelling << "\",";
        numberOfSpelling[spelling] = numberOfSpelling.size();
    }
    output << "\n};\nconstexpr std::uint16_t SPELLING_LIST[] = {";
    std::vector<std::size_t> listStart;
    std::size_t listed = 0;
    for (const std::vector<std::string>& list : spellingsOfCode) {
        listStart.push_back(listed);
        for (const std::string& spelling : list) {
            output << (listed % 24 == 0 ? "\n    " : " ") << numberOfSpelling.at(spelling) << ",";
            ++listed;
        }
    }
    listStart.push_back(listed);
    if (listed > 0xFFFF) {
        std::cerr << "too many spellings for 16-bit list offsets\n";
        return 1;
    }
    output << "\n};\nconstexpr std::uint16_t SPELLINGS_OF_CODE[126 * 191 + 1] = {";
    for (std::size_t code = 0; code < listStart.size(); ++code) {
        output << (code % 24 == 0 ? "\n    " : " ") << listStart[code] << ",";
    }
    output << "\n};\n";

    std::ofstream file(argv[2]);
    file << output.str();
    return file ? 0 : 1;
}
