// Reading a drug list in the encoding it comes in: UTF-8 with or without a
// byte order mark, or GBK, told apart by the whole text, never by a guess
// from its start.
#include <gtest/gtest.h>

#include <string>

#include "csv/column_names.h"
#include "csv/drug_csv.h"
#include "csv/text_encoding.h"
#include "store/gbk_codec.h"

namespace quorbex::csv {
namespace {

const std::string HEADER =
    "TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions\r\n";

// Reads text through ReadDrugCsv, as a file of those bytes.
DrugCsvReading Read(const std::string& text, TextEncoding encoding) {
    std::size_t at = 0;
    return ReadDrugCsv(
        [&](char* buffer, std::size_t count) {
            const std::size_t n = text.copy(buffer, count, at);
            at += n;
            return n;
        },
        [&] { at = 0; }, encoding);
}

std::string Gbk(const std::string& utf8) {
    return *Utf8ToGbk(utf8);
}

TEST(DrugCsvEncoding, ReadsEachEncodingTheSame) {
    // A late Chinese character after much ASCII: detection must see it all.
    std::string rows;
    for (int i = 0; i < 1500; ++i) {
        rows += "Drug" + std::to_string(i) + ",,,,,,\r\n";
    }
    const std::string utf8Tail = "阿司匹林,ASPL,Aspirin,乙酰水杨酸,解热镇痛,口服,胃溃疡慎用\r\n";
    const std::string utf8 = HEADER + rows + utf8Tail;
    const struct {
        const char* what;
        std::string text;
        TextEncoding chosen;
        TextEncoding read;
    } cases[] = {
        {"utf-8, auto", utf8, TextEncoding::Auto, TextEncoding::Utf8},
        {"utf-8 with a byte order mark, auto", "\xEF\xBB\xBF" + utf8, TextEncoding::Auto,
         TextEncoding::Utf8},
        {"gbk, auto", Gbk(utf8), TextEncoding::Auto, TextEncoding::Gbk},
        {"gbk, chosen", Gbk(utf8), TextEncoding::Gbk, TextEncoding::Gbk},
        {"utf-8, chosen", utf8, TextEncoding::Utf8, TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        const DrugCsvReading reading = Read(c.text, c.chosen);
        EXPECT_EQ(reading.encoding, c.read) << c.what;
        ASSERT_TRUE(reading.faults.Empty())
            << c.what << ": " << DescribeFault(reading.faults.Shown().front());
        ASSERT_EQ(reading.records.size(), 1501u) << c.what;
        const DrugFields& last = reading.records.back();
        EXPECT_EQ(last.tradeName, Gbk("阿司匹林")) << c.what;
        EXPECT_EQ(last.cautions, Gbk("胃溃疡慎用")) << c.what;
    }
}

// A character cut between two pieces is still one well-formed character.
TEST(DrugCsvEncoding, DetectionDoesNotDependOnThePieces) {
    for (const std::string& text :
         {std::string("药物,阿司匹林"), Gbk("药物,阿司匹林"), std::string("\xE8\x8D")}) {
        EncodingDetector whole;
        whole.Feed(text);
        EncodingDetector bytes;
        for (const char byte : text) {
            bytes.Feed(std::string_view(&byte, 1));
        }
        EXPECT_EQ(bytes.Result(), whole.Result()) << text;
    }
    EncodingDetector cut;
    cut.Feed("\xE8\x8D");
    EXPECT_EQ(cut.Result(), TextEncoding::Gbk) << "a text may not end inside a character";
}

// Read as UTF-8, GBK bytes that happen to form UTF-8 characters would name
// characters that were never in the file: auto reads it as GBK instead.
TEST(DrugCsvEncoding, GbkThatLooksLikeUtf8InPlacesIsReadAsGbk) {
    // "头" is CD B7 in GBK, which is also the UTF-8 form of U+0377.
    const std::string text = HEADER + Gbk("头孢,TB,Cefalexin,,,,\r\n");
    ASSERT_EQ(Gbk("头"), "\xCD\xB7");
    const DrugCsvReading automatic = Read(text, TextEncoding::Auto);
    EXPECT_EQ(automatic.encoding, TextEncoding::Gbk);
    ASSERT_TRUE(automatic.faults.Empty());
    EXPECT_EQ(automatic.records.at(0).tradeName, Gbk("头孢"));

    const DrugCsvReading forced = Read(text, TextEncoding::Utf8);
    EXPECT_FALSE(forced.faults.Empty()) << "chosen as UTF-8, it is not UTF-8";
}

// The faults are values: their kind, row, field, drug and numbers, for each
// user interface to word; the names in them are UTF-8 whatever the text was.
TEST(DrugCsvEncoding, GbkFaultsAreValuesNamingTheRowTheFieldAndTheDrug) {
    // A lone lead byte, and a field past its limit counted in GBK bytes.
    const std::string text = Gbk("序号,品名,英文名\r\n") + Gbk("1,甲,,\r\n") + "2,\x81,,\r\n" +
                             Gbk("3,一二三四五六七八九十一,Eleven\r\n");
    const DrugCsvReading reading = Read(text, TextEncoding::Gbk);
    ASSERT_EQ(reading.faults.Shown().size(), 2u);
    const CsvFault& notGbk = reading.faults.Shown()[0];
    EXPECT_EQ(notGbk.kind, CsvFault::Kind::NotGbk);
    EXPECT_EQ(notGbk.row, 3u);
    EXPECT_EQ(notGbk.field, Field::TradeName);
    EXPECT_EQ(notGbk.drugName, "\uFFFD");
    const CsvFault& tooLong = reading.faults.Shown()[1];
    EXPECT_EQ(tooLong.kind, CsvFault::Kind::TooLong);
    EXPECT_EQ(tooLong.row, 4u);
    EXPECT_EQ(tooLong.field, Field::TradeName);
    EXPECT_EQ(tooLong.drugName, "一二三四五六七八九十一");
    EXPECT_EQ(tooLong.count, 22u);
    EXPECT_EQ(tooLong.limit, 20u);
    EXPECT_EQ(DescribeFault(tooLong),
              "row 4 (一二三四五六七八九十一): the trade name is 22 bytes in GBK, more than 20");

    ASSERT_EQ(reading.warnings.size(), 1u);
    const CsvFault& skipped = reading.warnings[0];
    EXPECT_EQ(skipped.kind, CsvFault::Kind::SkippedColumns);
    EXPECT_EQ(skipped.columns, std::vector<std::size_t>{1});
    EXPECT_EQ(skipped.names, std::vector<std::string>{"序号"});
}

TEST(DrugCsvEncoding, HeaderNamesAreToldWhateverTheirCaseAndDress) {
    const struct {
        const char* name;
        std::optional<Field> field;
    } cases[] = {
        {"品名", Field::TradeName},
        {" 商品名\u3000", Field::TradeName},
        {"[品名]", Field::TradeName},
        {"品名:", Field::TradeName},
        {"英文：", Field::EnglishName},
        {"TRADENAME", Field::TradeName},
        {"trade name", Field::TradeName},
        {"Pinyin", Field::PinyinInitials},
        {"拼音首字母", Field::PinyinInitials},
        {"功能主治", Field::Function},
        {"用法用量", Field::Usage},
        {"禁忌", Field::Cautions},
        {"其它名称", Field::OtherNames},
        {"备注", std::nullopt},
        {"", std::nullopt},
        {"trade  name", std::nullopt},
        {"品名品名", std::nullopt},
        {"[]", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FieldNamedBy(c.name), c.field) << c.name;
    }
}

TEST(DrugCsvEncoding, EncodingNames) {
    EXPECT_EQ(EncodingNamed("auto"), TextEncoding::Auto);
    EXPECT_EQ(EncodingNamed("utf-8"), TextEncoding::Utf8);
    EXPECT_EQ(EncodingNamed("gbk"), TextEncoding::Gbk);
    EXPECT_EQ(EncodingNamed("latin1"), std::nullopt);
}

}  // namespace
}  // namespace quorbex::csv
