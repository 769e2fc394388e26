// Speed of the record store on a generated 2000-record dictionary: loading,
// listing every record in trade-name order (what opening a dictionary does), a
// selective search, the quick search (hits for initials, full pinyin and
// full-width letters, a miss that computes suggestions, a query typed key by
// key, and the first search that makes the folded fields), and saving.
//
// The listing is also timed against a reference that orders the same hits with
// the plain exchange sort, reading both records of every comparison from the
// store; the selective search against the query as the store ran it before its
// search index, rebuilding every record's search text at every query. The
// ratios of the times, measured in the same run, are printed after it, with
// the memory that the search index and the quick search hold beside the
// image. Before anything is
// timed, the program checks that the query agrees with both references, equal
// keys included.
//
// Run by hand: ./build-bench/bench/store_bench (Google Benchmark flags apply).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/ratio_reporter.h"
#include "store/cp936.h"
#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "store/quick_match.h"
#include "store/record_store.h"
#include "tests/support/memory_file.h"

namespace {

using quorbex::DICT_MAX_RECORDS;
using quorbex::DrugFields;
using quorbex::RecordStore;
using quorbex::ResultList;
using quorbex::testing::MemoryFile;

// Open-time listing: the empty pattern over every field.
constexpr int LIST_ALL_MASK = 0xFF;
// The document's default search fields: trade name, pinyin, other names, English name.
constexpr int DEFAULT_MASK = 0x0F;
// Sort keys other than 0 and 1 keep the records in the order found.
constexpr int KEEP_FOUND_ORDER = 2;
// Found in the English names of about one drug in twenty; typed in lower case,
// as users do, so that folding matters.
constexpr const char* SELECTIVE_PATTERN = "mycin";

// A piece of a Chinese trade name with the pinyin initials of its characters.
struct NamePart {
    const char* hanzi;
    const char* initials;
};

constexpr NamePart NAME_CHARACTERS[] = {
    {"阿", "A"}, {"莫", "M"}, {"西", "X"}, {"林", "L"}, {"头", "T"}, {"孢", "B"}, {"克", "K"},
    {"洛", "L"}, {"布", "B"}, {"芬", "F"}, {"对", "D"}, {"乙", "Y"}, {"酰", "X"}, {"氨", "A"},
    {"基", "J"}, {"酚", "F"}, {"甲", "J"}, {"硝", "X"}, {"唑", "Z"}, {"左", "Z"}, {"氧", "Y"},
    {"氟", "F"}, {"沙", "S"}, {"星", "X"}, {"奥", "A"}, {"美", "M"}, {"拉", "L"}, {"苯", "B"},
    {"地", "D"}, {"平", "P"}, {"卡", "K"}, {"托", "T"}, {"普", "P"}, {"利", "L"}, {"二", "E"},
    {"双", "S"}, {"胍", "G"}, {"格", "G"}, {"列", "L"}, {"齐", "Q"}, {"特", "T"}, {"辛", "X"},
    {"伐", "F"}, {"他", "T"}, {"汀", "T"}, {"氯", "L"}, {"雷", "L"}, {"定", "D"}, {"替", "T"},
    {"嗪", "Q"}, {"塞", "S"}, {"米", "M"}, {"松", "S"}, {"泼", "P"}, {"尼", "N"}, {"维", "W"},
    {"生", "S"}, {"素", "S"}, {"葡", "P"}, {"萄", "T"}, {"糖", "T"}, {"复", "F"}, {"方", "F"},
    {"甘", "G"}, {"草", "C"}, {"银", "Y"}, {"黄", "H"}, {"连", "L"}, {"翘", "Q"}, {"板", "B"},
    {"蓝", "L"}, {"根", "G"}, {"感", "G"}, {"冒", "M"}, {"清", "Q"}, {"热", "R"}, {"丹", "D"},
    {"参", "S"}, {"川", "C"}, {"芎", "X"}, {"红", "H"}, {"花", "H"}, {"当", "D"}, {"归", "G"},
    {"芪", "Q"}, {"人", "R"}, {"灵", "L"}, {"芝", "Z"}, {"罗", "L"}, {"康", "K"},
};

constexpr NamePart DOSAGE_FORMS[] = {
    {"片", "P"},       {"胶囊", "JN"},    {"注射液", "ZSY"}, {"颗粒", "KL"},
    {"口服液", "KFY"}, {"软膏", "RG"},    {"滴眼液", "DYY"}, {"缓释片", "HSP"},
    {"分散片", "FSP"}, {"糖浆", "TJ"},    {"丸", "W"},       {"散", "S"},
    {"栓", "S"},       {"气雾剂", "QWJ"}, {"乳膏", "RG"},    {"咀嚼片", "JJP"},
};

constexpr const char* ENGLISH_STEMS[] = {
    "Amoxi", "Cefa",  "Azithro", "Levo",   "Ome",    "Nife", "Capto", "Metfor", "Simva",
    "Lora",  "Ceti",  "Dexa",    "Predni", "Ibupro", "Para", "Metro", "Cipro",  "Clarithro",
    "Vanco", "Genta", "Rani",    "Losar",  "Amlo",   "Ator", "Clopi",
};

constexpr const char* ENGLISH_ENDINGS[] = {
    "cillin", "mycin",  "floxacin", "prazole", "dipine", "pril",    "sartan",
    "statin", "tadine", "zine",     "sone",    "profen", "cetamol", "nidazole",
    "lol",    "formin", "gliptin",  "vir",     "grel",   "tidine",
};

constexpr const char* FUNCTIONS[] = {
    "用于敏感菌所致的呼吸道感染",
    "用于泌尿生殖系统感染",
    "解热镇痛",
    "用于缓解轻至中度疼痛",
    "抑制胃酸分泌",
    "用于高血压的治疗",
    "降低血清胆固醇",
    "用于过敏性鼻炎和荨麻疹",
    "用于2型糖尿病",
    "抗炎、抗过敏",
    "清热解毒",
    "活血化瘀",
    "止咳化痰",
    "用于心绞痛的预防",
    "用于厌氧菌感染",
    "补充维生素",
};

constexpr const char* USAGES[] = {
    "口服，一次1片，一日3次",
    "口服，一次2粒，一日2次",
    "静脉滴注，一次0.5g，一日2次",
    "饭后服用",
    "儿童用量酌减",
    "疗程7至14日",
    "外用，涂于患处，一日2至3次",
    "滴眼，一次1至2滴",
    "肌内注射，一次80mg",
    "用温开水冲服",
};

constexpr const char* CAUTIONS[] = {
    "孕妇及哺乳期妇女慎用",     "对本品过敏者禁用",     "肝肾功能不全者慎用",
    "服药期间忌饮酒",           "不宜与抗酸药同服",     "如出现皮疹应立即停药",
    "儿童必须在成人监护下使用", "驾驶及操作机器者慎用", "长期使用应定期检查血象",
};

template <typename T, std::size_t N>
const T& Pick(std::mt19937& rng, const T (&items)[N]) {
    return items[rng() % N];
}

// The generator writes its texts in UTF-8; the dictionary holds GBK.
std::string Gbk(const std::string& utf8) {
    auto gbk = quorbex::Utf8ToGbk(utf8);
    if (!gbk) {
        std::fprintf(stderr, "store_bench: text not representable in GBK: %s\n", utf8.c_str());
        std::exit(EXIT_FAILURE);
    }
    return *std::move(gbk);
}

// A trade name of 2 to 10 characters, a stem followed by a dosage form, with
// the pinyin initials of all its characters.
std::pair<std::string, std::string> RandomTradeName(std::mt19937& rng) {
    const NamePart& form = Pick(rng, DOSAGE_FORMS);
    const std::size_t formLength = std::string(form.initials).size();
    const std::size_t stemLength = 1 + rng() % (10 - formLength);
    std::string name;
    std::string initials;
    for (std::size_t i = 0; i < stemLength; ++i) {
        const NamePart& character = Pick(rng, NAME_CHARACTERS);
        name += character.hanzi;
        initials += character.initials;
    }
    return {name + form.hanzi, initials + form.initials};
}

std::string RandomEnglishName(std::mt19937& rng) {
    const unsigned style = rng() % 20;
    if (style == 0) {
        return "";  // a drug known only by its Chinese name
    }
    std::string name = std::string(Pick(rng, ENGLISH_STEMS)) + Pick(rng, ENGLISH_ENDINGS);
    if (style == 1) {
        for (char& c : name) {
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        }
    } else if (style == 2) {
        name += " Tablets";  // may run past the field and be cut
    }
    return name;
}

// GBK phrases joined with commas until the text reaches a length drawn from 0
// to the field's 200 bytes; the field cuts what runs over.
template <std::size_t N>
std::string RandomParagraph(std::mt19937& rng, const char* const (&phrases)[N]) {
    const std::size_t target = rng() % 201;
    std::string text;
    while (text.size() < target) {
        text += Gbk(text.empty() ? "" : "，") + Gbk(Pick(rng, phrases));
    }
    return text.empty() ? text : text + Gbk("。");
}

DrugFields RandomDrug(std::mt19937& rng) {
    DrugFields drug;
    auto [tradeName, initials] = RandomTradeName(rng);
    drug.tradeName = Gbk(tradeName);
    drug.pinyinInitials = initials;
    drug.englishName = RandomEnglishName(rng);
    std::string otherNames;
    const unsigned alternatives = rng() % 4;
    for (unsigned i = 0; i < alternatives; ++i) {
        otherNames += (i > 0 ? "、" : "") + RandomTradeName(rng).first;
    }
    drug.otherNames = Gbk(otherNames);
    drug.function = RandomParagraph(rng, FUNCTIONS);
    drug.usage = RandomParagraph(rng, USAGES);
    drug.cautions = RandomParagraph(rng, CAUTIONS);
    return drug;
}

// The scrambled file of a full dictionary, built the way the program builds
// one: fields exchanged into the buffer, record appended, image saved.
const std::vector<std::uint8_t>& DictionaryFile() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::mt19937 rng(20240611);
        RecordStore store;
        for (std::uint32_t i = 0; i < DICT_MAX_RECORDS; ++i) {
            DrugFields drug = RandomDrug(rng);
            quorbex::ExchangeFields(store, drug, false);
            if (!store.AppendRecord()) {
                std::fprintf(stderr, "store_bench: appending record %u failed\n", i + 1);
                std::exit(EXIT_FAILURE);
            }
        }
        MemoryFile file;
        if (!store.SaveToFile(&file)) {
            std::fprintf(stderr, "store_bench: saving the dictionary failed\n");
            std::exit(EXIT_FAILURE);
        }
        return file.bytes;
    }();
    return bytes;
}

std::unique_ptr<RecordStore> LoadedStore() {
    auto store = std::make_unique<RecordStore>();
    MemoryFile file(DictionaryFile());
    if (!store->LoadFromFile(file) || store->GetCount() != DICT_MAX_RECORDS) {
        std::fprintf(stderr, "store_bench: the generated dictionary does not load\n");
        std::exit(EXIT_FAILURE);
    }
    return store;
}

using Exchange = void (RecordStore::*)(std::string&, bool);

// The exchange sort with both keys read from the store for every comparison:
// go to entry i's record and take its key, go to entry j's and take its key,
// exchange the two entries when the first key is greater.
void ReferenceOrder(RecordStore& store, ResultList& results, Exchange key) {
    std::string a;
    std::string b;
    for (std::size_t i = 0; i + 1 < results.size(); ++i) {
        for (std::size_t j = i + 1; j < results.size(); ++j) {
            store.GoToRecord(results[i]);
            (store.*key)(a, true);
            store.GoToRecord(results[j]);
            (store.*key)(b, true);
            if (quorbex::cp936::CompareNames(a, b) > 0) {
                std::swap(results[i], results[j]);
            }
        }
    }
}

// The reference query: the store's own scan, with the hits left in the order
// found, then the reference ordering.
void ReferenceQuery(RecordStore& store, const std::string& pattern, ResultList& results, int mask,
                    Exchange key) {
    store.Query(pattern, results, mask, KEEP_FOUND_ORDER);
    ReferenceOrder(store, results, key);
}

// The search text of one record as the store built it before its index: each
// selected field read out of the record, upper-cased and split into
// characters on its own, an unselected one a line feed; the pattern tried at
// every character start.
struct RebuiltText {
    std::string bytes;
    std::vector<std::size_t> starts;

    void Clear() {
        bytes.clear();
        starts.clear();
    }

    void AppendField(std::string text) {
        quorbex::cp936::UpperCaseInPlace(text);
        const std::size_t base = bytes.size();
        for (std::size_t i = 0; i < text.size();) {
            starts.push_back(base + i);
            const bool pair = quorbex::cp936::IsLeadByte(static_cast<std::uint8_t>(text[i])) &&
                              i + 1 < text.size();
            i += pair ? 2 : 1;
        }
        bytes += text;
    }

    bool Contains(const std::string& pattern) const {
        if (pattern.empty()) {
            return true;
        }
        for (const std::size_t start : starts) {
            if (start + pattern.size() > bytes.size()) {
                break;
            }
            if (bytes.compare(start, pattern.size(), pattern) == 0) {
                return true;
            }
        }
        return false;
    }
};

// The query as the store ran it before its search index: every record read
// and its search text rebuilt at every query, then the keys of the hits read
// once, ranked by a sort, and the exchange procedure run on the ranks.
bool RebuildingQuery(RecordStore& store, const std::string& pattern, ResultList& results, int mask,
                     int sortKey) {
    struct Searched {
        Exchange exchange;
        int bit;
    };
    constexpr Searched SEARCH_ORDER[] = {
        {&RecordStore::ExchangeTradeName, quorbex::SEARCH_TRADE_NAME},
        {&RecordStore::ExchangePinyinInitials, quorbex::SEARCH_PINYIN},
        {&RecordStore::ExchangeOtherNames, quorbex::SEARCH_OTHER_NAMES},
        {&RecordStore::ExchangeEnglishName, quorbex::SEARCH_ENGLISH_NAME},
        {&RecordStore::ExchangeFunction, quorbex::SEARCH_FUNCTION},
        {&RecordStore::ExchangeUsage, quorbex::SEARCH_USAGE},
        {&RecordStore::ExchangeCautions, quorbex::SEARCH_CAUTIONS},
    };
    if (store.GetCount() == 0) {
        return false;
    }
    std::string folded = pattern;
    quorbex::cp936::UpperCaseInPlace(folded);
    folded.resize(std::min(folded.size(), quorbex::QUERY_PATTERN_MAX));
    const auto bits = static_cast<std::uint8_t>(mask);
    const bool all = (bits & quorbex::SEARCH_ALL) != 0;
    RebuiltText text;
    for (std::uint32_t number = 1; number <= store.GetCount(); ++number) {
        store.GoToRecord(number);
        text.Clear();
        for (const Searched& searched : SEARCH_ORDER) {
            std::string field("\n");
            if (all || (bits & searched.bit) != 0) {
                (store.*searched.exchange)(field, true);
            }
            text.AppendField(std::move(field));
        }
        if (text.Contains(folded)) {
            results.push_back(number);
        }
    }
    if (results.size() < 2 ||
        (sortKey != quorbex::SORT_BY_TRADE_NAME && sortKey != quorbex::SORT_BY_ENGLISH_NAME)) {
        return !results.empty();
    }
    const Exchange key = sortKey == quorbex::SORT_BY_TRADE_NAME ? &RecordStore::ExchangeTradeName
                                                                : &RecordStore::ExchangeEnglishName;
    const std::size_t n = results.size();
    std::vector<std::string> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (store.GoToRecord(results[i])) {
            (store.*key)(keys[i], true);
        }
    }
    std::vector<std::size_t> byKey(n);
    for (std::size_t i = 0; i < n; ++i) {
        byKey[i] = i;
    }
    std::sort(byKey.begin(), byKey.end(), [&keys](std::size_t a, std::size_t b) {
        return quorbex::cp936::CompareNames(keys[a], keys[b]) < 0;
    });
    std::vector<std::uint32_t> ranks(n);
    std::uint32_t rank = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (k > 0 && quorbex::cp936::CompareNames(keys[byKey[k - 1]], keys[byKey[k]]) != 0) {
            ++rank;
        }
        ranks[byKey[k]] = rank;
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (ranks[i] > ranks[j]) {
                std::swap(ranks[i], ranks[j]);
                std::swap(results[i], results[j]);
            }
        }
    }
    return true;
}

bool OrdersAgree(RecordStore& store, const char* what, const std::string& pattern, int mask,
                 int sortKey, Exchange key) {
    ResultList fast;
    store.Query(pattern, fast, mask, sortKey);
    ResultList reference;
    ReferenceQuery(store, pattern, reference, mask, key);
    if (fast.empty()) {
        std::fprintf(stderr, "store_bench: %s: no hits\n", what);
        return false;
    }
    if (fast != reference) {
        std::fprintf(stderr,
                     "store_bench: %s: the query's order differs from the reference "
                     "(%zu and %zu hits)\n",
                     what, fast.size(), reference.size());
        return false;
    }
    ResultList rebuilt;
    RebuildingQuery(store, pattern, rebuilt, mask, sortKey);
    if (fast != rebuilt) {
        std::fprintf(stderr,
                     "store_bench: %s: the query differs from the rebuilding query "
                     "(%zu and %zu hits)\n",
                     what, fast.size(), rebuilt.size());
        return false;
    }
    return true;
}

bool VerifyOrdering() {
    auto store = LoadedStore();
    return OrdersAgree(*store, "all by trade name", "", LIST_ALL_MASK, quorbex::SORT_BY_TRADE_NAME,
                       &RecordStore::ExchangeTradeName) &&
           OrdersAgree(*store, "all by English name", "", LIST_ALL_MASK,
                       quorbex::SORT_BY_ENGLISH_NAME, &RecordStore::ExchangeEnglishName) &&
           OrdersAgree(*store, "selective by trade name", SELECTIVE_PATTERN, DEFAULT_MASK,
                       quorbex::SORT_BY_TRADE_NAME, &RecordStore::ExchangeTradeName);
}

// The memory that the search index holds beside the image, with both keys
// ranked and the search text made by a search: for the generated dictionary,
// and for one whose every field is full.
void PrintCacheMemory() {
    auto report = [](const char* what, RecordStore& store) {
        ResultList results;
        store.Query("", results, LIST_ALL_MASK, quorbex::SORT_BY_TRADE_NAME);
        results.clear();
        store.Query("", results, LIST_ALL_MASK, quorbex::SORT_BY_ENGLISH_NAME);
        results.clear();
        store.Query("mycin", results, LIST_ALL_MASK, quorbex::SORT_BY_TRADE_NAME);
        const double image = static_cast<double>(store.GetImage().GetLength());
        const double cache = static_cast<double>(store.GetSearchCacheBytes());
        std::printf(
            "Search cache for %s: %.0f bytes beside an image of %.0f bytes; "
            "cache / image = %.2f\n",
            what, cache, image, cache / image);
    };
    auto generated = LoadedStore();
    report("the generated dictionary", *generated);

    // The quick search's folded names, then with the function, usage and
    // cautions, which it folds only once a query searches them.
    const double image = static_cast<double>(generated->GetImage().GetLength());
    generated->QuickFind("amx", DEFAULT_MASK, quorbex::SORT_BY_TRADE_NAME);
    const double names = static_cast<double>(generated->GetQuickMatchBytes());
    const double pinyin = static_cast<double>(generated->GetQuickPinyinBytes());
    generated->QuickFind("amx", LIST_ALL_MASK, quorbex::SORT_BY_TRADE_NAME);
    const double all = static_cast<double>(generated->GetQuickMatchBytes());
    std::printf(
        "Quick search for the generated dictionary: %.0f bytes of folded names "
        "(names / image = %.3f), of which %.0f bytes for the pinyin (pinyin / image = %.4f); "
        "%.0f bytes with every field folded (all / image = %.2f)\n",
        names, names / image, pinyin, pinyin / image, all, all / image);

    RecordStore full;
    std::mt19937 rng(7);
    for (std::uint32_t i = 0; i < DICT_MAX_RECORDS; ++i) {
        DrugFields drug;
        for (const quorbex::FieldLayout& layout : quorbex::FIELD_LAYOUTS) {
            std::string text;
            while (text.size() < layout.limit) {
                text += Gbk(Pick(rng, NAME_CHARACTERS).hanzi);
            }
            drug[layout.field] = text;
        }
        quorbex::ExchangeFields(full, drug, false);
        full.AppendRecord();
    }
    MemoryFile file;
    full.SaveToFile(&file);
    RecordStore loaded;
    loaded.LoadFromFile(file);
    report("a dictionary of 2000 records with every field full, loaded", loaded);
    report("the same, appended record by record", full);
}

void BM_Load(benchmark::State& state) {
    RecordStore store;
    MemoryFile file(DictionaryFile());
    for (auto _ : state) {
        if (!store.LoadFromFile(file)) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.bytes.size()));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);

void BM_ListAllByTradeName(benchmark::State& state) {
    auto store = LoadedStore();
    ResultList results;
    for (auto _ : state) {
        results.clear();
        store->Query("", results, LIST_ALL_MASK, quorbex::SORT_BY_TRADE_NAME);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["hits"] = static_cast<double>(results.size());
}
BENCHMARK(BM_ListAllByTradeName)->Unit(benchmark::kMillisecond);

void BM_ListAllByTradeNameReference(benchmark::State& state) {
    auto store = LoadedStore();
    ResultList results;
    for (auto _ : state) {
        results.clear();
        ReferenceQuery(*store, "", results, LIST_ALL_MASK, &RecordStore::ExchangeTradeName);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["hits"] = static_cast<double>(results.size());
}
BENCHMARK(BM_ListAllByTradeNameReference)->Unit(benchmark::kMillisecond);

void BM_SearchSelective(benchmark::State& state) {
    auto store = LoadedStore();
    ResultList results;
    for (auto _ : state) {
        results.clear();
        store->Query(SELECTIVE_PATTERN, results, DEFAULT_MASK, quorbex::SORT_BY_TRADE_NAME);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["hits"] = static_cast<double>(results.size());
}
BENCHMARK(BM_SearchSelective)->Unit(benchmark::kMillisecond);

void BM_SearchSelectiveRebuilding(benchmark::State& state) {
    auto store = LoadedStore();
    ResultList results;
    for (auto _ : state) {
        results.clear();
        RebuildingQuery(*store, SELECTIVE_PATTERN, results, DEFAULT_MASK,
                        quorbex::SORT_BY_TRADE_NAME);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["hits"] = static_cast<double>(results.size());
}
BENCHMARK(BM_SearchSelectiveRebuilding)->Unit(benchmark::kMillisecond);

// The generated dictionary with two real drugs written over two records, so
// that their names typed in full pinyin find them: the random trade names
// seldom spell a word.
std::unique_ptr<RecordStore> QuickSearchStore() {
    auto store = LoadedStore();
    const struct {
        std::uint32_t number;
        const char* tradeName;
        const char* initials;
        const char* englishName;
    } drugs[] = {
        {700, "阿莫西林胶囊", "AMXLJN", "Amoxicillin"},
        {1400, "阿莫西林克拉维酸钾片", "AMXLKLWSJP", "Co-amoxiclav"},
    };
    for (const auto& drug : drugs) {
        DrugFields fields;
        store->GoToRecord(drug.number);
        quorbex::ExchangeFields(*store, fields, true);
        fields.tradeName = Gbk(drug.tradeName);
        fields.pinyinInitials = drug.initials;
        fields.englishName = drug.englishName;
        quorbex::ExchangeFields(*store, fields, false);
        if (!store->WriteCurrentRecord()) {
            std::fprintf(stderr, "store_bench: writing record %u failed\n", drug.number);
            std::exit(EXIT_FAILURE);
        }
    }
    return store;
}

// The quick search as the search box runs it, on the default fields and
// order, its folded fields made before the timing.
void BM_QuickFind(benchmark::State& state, const char* utf8Query) {
    auto store = QuickSearchStore();
    const std::string query = Gbk(utf8Query);
    quorbex::QuickResult result =
        store->QuickFind(query, DEFAULT_MASK, quorbex::SORT_BY_TRADE_NAME);
    for (auto _ : state) {
        result = store->QuickFind(query, DEFAULT_MASK, quorbex::SORT_BY_TRADE_NAME);
        benchmark::DoNotOptimize(result.hits.data());
    }
    state.counters["hits"] = static_cast<double>(result.hits.size());
    state.counters["suggestions"] = static_cast<double>(result.suggestions.size());
}
BENCHMARK_CAPTURE(BM_QuickFind, initials_amx, "amx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuickFind, full_pinyin_amoxilin, "amoxilin")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuickFind, full_width_AMOX, "ＡＭＯＸ")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuickFind, miss_with_suggestions_amoxicilin, "amoxicilin")
    ->Unit(benchmark::kMillisecond);

// Typing amoxilin key by key: the eight searches of its eight prefixes, the
// first ones with many hits to order.
void BM_QuickFindTyped(benchmark::State& state) {
    auto store = QuickSearchStore();
    const std::string word = "amoxilin";
    store->QuickFind(word, DEFAULT_MASK, quorbex::SORT_BY_TRADE_NAME);
    std::size_t hits = 0;
    for (auto _ : state) {
        for (std::size_t length = 1; length <= word.size(); ++length) {
            const quorbex::QuickResult result =
                store->QuickFind(word.substr(0, length), DEFAULT_MASK, quorbex::SORT_BY_TRADE_NAME);
            hits = result.hits.size();
            benchmark::DoNotOptimize(result.hits.data());
        }
    }
    state.counters["last_hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_QuickFindTyped)->Unit(benchmark::kMillisecond);

// The first quick search after a load, which folds every record's names; on
// every field (the second argument), their function, usage and cautions too.
void BM_QuickFindFirst(benchmark::State& state) {
    const int mask = static_cast<int>(state.range(0));
    RecordStore store;
    MemoryFile file(DictionaryFile());
    for (auto _ : state) {
        state.PauseTiming();
        store.LoadFromFile(file);
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            store.QuickFind("amx", mask, quorbex::SORT_BY_TRADE_NAME).hits.data());
    }
}
BENCHMARK(BM_QuickFindFirst)->Arg(DEFAULT_MASK)->Arg(LIST_ALL_MASK)->Unit(benchmark::kMillisecond);

void BM_Save(benchmark::State& state) {
    auto store = LoadedStore();
    MemoryFile file;
    for (auto _ : state) {
        if (!store->SaveToFile(&file)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.bytes.size()));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return EXIT_FAILURE;
    }
    if (!VerifyOrdering()) {
        return EXIT_FAILURE;
    }
    std::printf("Query orders agree with the reference ordering.\n");

    quorbex::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double fast = reporter.SecondsPerIteration("BM_ListAllByTradeName");
    const double reference = reporter.SecondsPerIteration("BM_ListAllByTradeNameReference");
    if (fast > 0 && reference > 0) {
        std::printf(
            "\nListing all %u records by trade name: %.3f ms; reference (same scan, "
            "exchange sort reading two records per comparison): %.1f ms; "
            "reference / listing = %.1f\n",
            DICT_MAX_RECORDS, fast * 1e3, reference * 1e3, reference / fast);
    } else {
        std::printf("\nRun both BM_ListAllByTradeName benchmarks to see their ratio.\n");
    }
    const double search = reporter.SecondsPerIteration("BM_SearchSelective");
    const double rebuilding = reporter.SecondsPerIteration("BM_SearchSelectiveRebuilding");
    if (search > 0 && rebuilding > 0) {
        std::printf(
            "Selective search (\"%s\", default fields, by trade name): %.4f ms; reference "
            "(the query as before the search index: every record's search text rebuilt at "
            "every query): %.3f ms; reference / search = %.1f\n",
            SELECTIVE_PATTERN, search * 1e3, rebuilding * 1e3, rebuilding / search);
    } else {
        std::printf("Run both BM_SearchSelective benchmarks to see their ratio.\n");
    }
    PrintCacheMemory();
    return EXIT_SUCCESS;
}
