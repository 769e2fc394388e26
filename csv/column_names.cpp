#include "csv/column_names.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace quorbex::csv {

namespace {

struct ColumnName {
    std::string_view name;
    Field field;
};

constexpr std::array<ColumnName, 37> COLUMN_NAMES{{
    {"TradeName", Field::TradeName},
    {"Trade name", Field::TradeName},
    {"品名", Field::TradeName},
    {"商品名", Field::TradeName},
    {"药品名称", Field::TradeName},
    {"通用名", Field::TradeName},
    {"PinyinInitials", Field::PinyinInitials},
    {"Pinyin initials", Field::PinyinInitials},
    {"Pinyin", Field::PinyinInitials},
    {"拼音", Field::PinyinInitials},
    {"拼音码", Field::PinyinInitials},
    {"拼音缩写", Field::PinyinInitials},
    {"拼音首字母", Field::PinyinInitials},
    {"简码", Field::PinyinInitials},
    {"EnglishName", Field::EnglishName},
    {"English name", Field::EnglishName},
    {"English", Field::EnglishName},
    {"英文名", Field::EnglishName},
    {"英文", Field::EnglishName},
    {"英文名称", Field::EnglishName},
    {"OtherNames", Field::OtherNames},
    {"Other names", Field::OtherNames},
    {"别名", Field::OtherNames},
    {"其他名称", Field::OtherNames},
    {"其它名称", Field::OtherNames},
    {"Function", Field::Function},
    {"功能", Field::Function},
    {"作用", Field::Function},
    {"适应症", Field::Function},
    {"功能主治", Field::Function},
    {"Usage", Field::Usage},
    {"用法", Field::Usage},
    {"用法用量", Field::Usage},
    {"Cautions", Field::Cautions},
    {"注意", Field::Cautions},
    {"注意事项", Field::Cautions},
    {"禁忌", Field::Cautions},
}};

// Spaces that may surround a name: ASCII blanks and the ideographic space.
constexpr std::array<std::string_view, 4> SPACES{" ", "\t", "\u3000", "\u00A0"};
constexpr std::array<std::string_view, 2> COLONS{":", "\uFF1A"};

bool StripPrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

bool StripSuffix(std::string_view& text, std::string_view suffix) {
    if (!text.ends_with(suffix)) {
        return false;
    }
    text.remove_suffix(suffix.size());
    return true;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void Trim(std::string_view& text) {
    for (bool stripped = true; stripped;) {
        stripped = false;
        for (const std::string_view space : SPACES) {
            stripped = StripPrefix(text, space) || StripSuffix(text, space) || stripped;
        }
    }
}

}  // namespace

std::optional<Field> FieldNamedBy(std::string_view name) {
    Trim(name);
    for (const std::string_view colon : COLONS) {
        if (StripSuffix(name, colon)) {
            Trim(name);
            break;
        }
    }
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
        name = name.substr(1, name.size() - 2);
        Trim(name);
    }
    const auto found =
        std::find_if(COLUMN_NAMES.begin(), COLUMN_NAMES.end(), [name](const ColumnName& entry) {
            return std::equal(entry.name.begin(), entry.name.end(), name.begin(), name.end(),
                              [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
        });
    return found == COLUMN_NAMES.end() ? std::nullopt : std::optional<Field>(found->field);
}

std::vector<std::string_view> ColumnNamesOf(Field field) {
    std::vector<std::string_view> names;
    for (const ColumnName& entry : COLUMN_NAMES) {
        if (entry.field == field) {
            names.push_back(entry.name);
        }
    }
    return names;
}

}  // namespace quorbex::csv
