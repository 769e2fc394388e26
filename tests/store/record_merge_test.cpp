// The record merge: three-way and without a base, its conflicts and their
// resolutions, the comparison of two versions, and the store's records
// replaced by a result.
#include "store/record_merge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "store/record_store.h"
#include "tests/support/dictionary_builder.h"

namespace quorbex {
namespace {

using testing::ImageBytes;
using testing::LoadPlain;
using testing::PlainFile;

// A record as the cases write it: a trade name and two fields that the sides
// change, or with an empty trade name an English name instead.
struct Drug {
    std::string name;
    std::string usage = {};
    std::string cautions = {};
    std::string englishName = {};
    bool operator==(const Drug&) const = default;
};

void PrintTo(const Drug& drug, std::ostream* out) {
    *out << "{" << drug.name << "|" << drug.englishName << ": " << drug.usage << ", "
         << drug.cautions << "}";
}

RecordBytes BytesOf(const Drug& drug) {
    RecordBytes bytes{};
    std::string texts[] = {drug.name, drug.englishName, drug.usage, drug.cautions};
    StoreFieldText(bytes, Field::TradeName, texts[0]);
    StoreFieldText(bytes, Field::EnglishName, texts[1]);
    StoreFieldText(bytes, Field::Usage, texts[2]);
    StoreFieldText(bytes, Field::Cautions, texts[3]);
    return bytes;
}

Drug DrugOf(const RecordBytes& bytes) {
    return {std::string(FieldText(bytes, Field::TradeName)),
            std::string(FieldText(bytes, Field::Usage)),
            std::string(FieldText(bytes, Field::Cautions)),
            std::string(FieldText(bytes, Field::EnglishName))};
}

std::vector<RecordBytes> Records(const std::vector<Drug>& drugs) {
    std::vector<RecordBytes> records;
    std::transform(drugs.begin(), drugs.end(), std::back_inserter(records), BytesOf);
    return records;
}

std::vector<Drug> Drugs(const std::vector<RecordBytes>& records) {
    std::vector<Drug> drugs;
    std::transform(records.begin(), records.end(), std::back_inserter(drugs), DrugOf);
    return drugs;
}

// A conflict as the cases expect it: the drug's name, its kind and fields.
struct Expected {
    std::string name;
    ConflictKind kind;
    std::vector<Field> fields;
    std::uint32_t occurrence = 0;
};

const Drug A{"A", "a", "a!"};
const Drug B{"B", "b", "b!"};
const Drug C{"C", "c", "c!"};
const std::vector<Drug> ABC{A, B, C};

Drug With(Drug drug, std::string usage, std::string cautions = "") {
    drug.usage = std::move(usage);
    if (!cautions.empty()) {
        drug.cautions = std::move(cautions);
    }
    return drug;
}

TEST(RecordMerge, FollowsTheRulesForEveryKindOfChange) {
    using enum ConflictKind;
    const Drug X{"X", "x", ""};
    const Drug Y{"Y", "y", ""};
    const Drug Z{"Z", "z", ""};
    const Drug A1{"A", "first", ""};
    const Drug A2{"A", "second", ""};
    const struct Case {
        const char* name;
        std::vector<Drug> base, ours, theirs;
        std::vector<Drug> preferOurs;    // the result taking ours at every conflict
        std::vector<Drug> preferTheirs;  // and taking theirs
        std::vector<Expected> conflicts;
    } cases[] = {
        {"nobody changed anything", ABC, ABC, ABC, ABC, ABC, {}},
        {"ours changed a field",
         ABC,
         {A, With(B, "ours"), C},
         ABC,
         {A, With(B, "ours"), C},
         {A, With(B, "ours"), C},
         {}},
        {"theirs changed a field",
         ABC,
         ABC,
         {A, B, With(C, "theirs")},
         {A, B, With(C, "theirs")},
         {A, B, With(C, "theirs")},
         {}},
        {"each side changed another field of one drug",
         ABC,
         {A, With(B, "ours"), C},
         {A, With(B, "b", "theirs!"), C},
         {A, With(B, "ours", "theirs!"), C},
         {A, With(B, "ours", "theirs!"), C},
         {}},
        {"each side changed another drug",
         ABC,
         {With(A, "ours"), B, C},
         {A, B, With(C, "theirs")},
         {With(A, "ours"), B, With(C, "theirs")},
         {With(A, "ours"), B, With(C, "theirs")},
         {}},
        {"both changed a field alike",
         ABC,
         {A, With(B, "same"), C},
         {A, With(B, "same"), C},
         {A, With(B, "same"), C},
         {A, With(B, "same"), C},
         {}},
        {"both changed a field differently",
         ABC,
         {A, With(B, "ours", "ours!"), C},
         {A, With(B, "theirs", "ours!"), C},
         {A, With(B, "ours", "ours!"), C},
         {A, With(B, "theirs", "ours!"), C},
         {{"B", ChangedOnBoth, {Field::Usage}}}},
        {"ours deleted a drug", ABC, {A, C}, ABC, {A, C}, {A, C}, {}},
        {"theirs deleted a drug", ABC, ABC, {A, B}, {A, B}, {A, B}, {}},
        {"both deleted a drug", ABC, {A, C}, {A, C}, {A, C}, {A, C}, {}},
        {"ours deleted what theirs changed",
         ABC,
         {A, C},
         {A, With(B, "theirs"), C},
         {A, C},
         {A, C, With(B, "theirs")},
         {{"B", DeletedInOurs, {Field::Usage}}}},
        {"theirs deleted what ours changed",
         ABC,
         {A, B, With(C, "ours", "ours!")},
         {A, B},
         {A, B, With(C, "ours", "ours!")},
         {A, B},
         {{"C", DeletedInTheirs, {Field::Usage, Field::Cautions}}}},
        {"ours' order, then theirs' additions in theirs' order",
         ABC,
         {X, C, B, A},
         {Z, A, B, Y, C},
         {X, C, B, A, Z, Y},
         {X, C, B, A, Z, Y},
         {}},
        {"both added a drug alike",
         ABC,
         {A, B, C, X},
         {X, A, B, C},
         {A, B, C, X},
         {A, B, C, X},
         {}},
        {"both added a drug differently",
         {},
         {With(X, "ours")},
         {With(X, "theirs"), Y},
         {With(X, "ours"), Y},
         {With(X, "theirs"), Y},
         {{"X", ChangedOnBoth, {Field::Usage}}}},
        {"a renamed drug is the old one deleted and a new one added",
         ABC,
         {A, Drug{"B2", "b", "b!"}, C},
         ABC,
         {A, Drug{"B2", "b", "b!"}, C},
         {A, Drug{"B2", "b", "b!"}, C},
         {}},
        {"a renamed drug that the other side changed",
         ABC,
         {A, Drug{"B2", "b", "b!"}, C},
         {A, With(B, "theirs"), C},
         {A, Drug{"B2", "b", "b!"}, C},
         {A, Drug{"B2", "b", "b!"}, C, With(B, "theirs")},
         {{"B", DeletedInOurs, {Field::Usage}}}},
        {"repeated names match in file order",
         {A1, B, A2},
         {With(A1, "ours"), B, A2},
         {A1, B, With(A2, "theirs")},
         {With(A1, "ours"), B, With(A2, "theirs")},
         {With(A1, "ours"), B, With(A2, "theirs")},
         {}},
        {"the later of a repeated name deleted",
         {A1, B, A2},
         {A1, B, A2},
         {A1, B},
         {A1, B},
         {A1, B},
         {}},
        {"a repeated name changed on both",
         {A1, A2},
         {A1, With(A2, "ours")},
         {A1, With(A2, "theirs")},
         {A1, With(A2, "ours")},
         {A1, With(A2, "theirs")},
         {{"A", ChangedOnBoth, {Field::Usage}, 1}}},
        {"without a trade name the English name identifies a drug",
         {Drug{"", "", "", "Omeprazole"}, Drug{"", "", "", "Aspirin"}},
         {Drug{"", "", "", "Omeprazole"}, Drug{"", "ours", "", "Aspirin"}},
         {Drug{"", "", "", "Aspirin"}},
         {Drug{"", "ours", "", "Aspirin"}},
         {Drug{"", "ours", "", "Aspirin"}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto base = Records(c.base);
        const auto ours = Records(c.ours);
        const auto theirs = Records(c.theirs);
        const RecordMerge merge = MergeRecords(base, ours, theirs);
        EXPECT_EQ(Drugs(Resolve(merge, Side::Ours)), c.preferOurs);
        EXPECT_EQ(Drugs(Resolve(merge, Side::Theirs)), c.preferTheirs);
        ASSERT_EQ(merge.conflicts.size(), c.conflicts.size());
        EXPECT_EQ(merge.Clean(), c.conflicts.empty());
        for (std::size_t i = 0; i < c.conflicts.size(); ++i) {
            const MergeConflict& conflict = merge.conflicts[i];
            EXPECT_EQ(conflict.identity.Name(), c.conflicts[i].name);
            EXPECT_EQ(conflict.identity.occurrence, c.conflicts[i].occurrence);
            EXPECT_EQ(conflict.kind, c.conflicts[i].kind);
            EXPECT_EQ(conflict.fields, c.conflicts[i].fields);
            EXPECT_EQ(conflict.ours.has_value(), c.conflicts[i].kind != DeletedInOurs);
            EXPECT_EQ(conflict.theirs.has_value(), c.conflicts[i].kind != DeletedInTheirs);
        }
        // A merge with theirs unchanged is ours.
        EXPECT_EQ(Drugs(Resolve(MergeRecords(base, ours, base), Side::Theirs)), c.ours);
    }
}

// A record with meaningless bytes after each field's NUL and in its spare
// byte, as a file written by another program may hold.
RecordBytes WithPadding(const Drug& drug, std::uint8_t fill) {
    RecordBytes bytes = BytesOf(drug);
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        const std::size_t end = layout.offset + FieldText(bytes, layout.field).size() + 1;
        std::fill(bytes.begin() + end, bytes.begin() + layout.offset + layout.limit + 1, fill);
    }
    bytes[RECORD_SPARE_OFFSET] = fill;
    return bytes;
}

TEST(RecordMerge, KeepsTheBytesOfWhatItDoesNotChange) {
    const std::vector<RecordBytes> base{WithPadding(A, 0x11), WithPadding(B, 0x22),
                                        WithPadding(C, 0x33)};
    // Ours changed C; theirs changed B's cautions and wrote other padding
    // into A, which is no change.
    std::vector<RecordBytes> ours = base;
    ours[2] = WithPadding(With(C, "ours"), 0x44);
    std::vector<RecordBytes> theirs = base;
    theirs[0] = WithPadding(A, 0x55);
    theirs[1] = WithPadding(With(B, "b", "theirs!"), 0x66);

    const RecordMerge merge = MergeRecords(base, ours, theirs);
    ASSERT_TRUE(merge.Clean());
    const std::vector<RecordBytes> result = Resolve(merge, Side::Ours);
    ASSERT_EQ(result.size(), 3u);
    EXPECT_EQ(result[0], base[0]) << "nobody touched A";
    EXPECT_EQ(result[2], ours[2]) << "only ours changed C";
    // B: ours' bytes, but the field theirs changed is theirs' whole field.
    RecordBytes expected = base[1];
    const FieldLayout& cautions = LayoutOf(Field::Cautions);
    std::copy_n(theirs[1].begin() + cautions.offset, cautions.limit + 1,
                expected.begin() + cautions.offset);
    EXPECT_EQ(result[1], expected);
}

TEST(RecordMerge, ResolutionsTakeEitherSideOrAnEditedTextPerField) {
    const std::vector<RecordBytes> base = Records(ABC);
    const std::vector<RecordBytes> ours = Records({With(A, "ours", "ours!"), C});
    const std::vector<RecordBytes> theirs =
        Records({With(A, "theirs", "theirs!"), With(B, "theirs"), C});
    const RecordMerge merge = MergeRecords(base, ours, theirs);
    ASSERT_EQ(merge.conflicts.size(), 2u);
    ASSERT_EQ(merge.conflicts[0].kind, ConflictKind::ChangedOnBoth);
    ASSERT_EQ(merge.conflicts[1].kind, ConflictKind::DeletedInOurs);

    ConflictResolution bothChanged;
    bothChanged.fields[static_cast<std::size_t>(Field::Usage)].source = FieldChoice::Source::Theirs;
    bothChanged.fields[static_cast<std::size_t>(Field::Cautions)] = {FieldChoice::Source::Edited,
                                                                     "edited!"};
    ConflictResolution deleted;
    deleted.fields[static_cast<std::size_t>(Field::Usage)] = {FieldChoice::Source::Edited,
                                                              std::string(300, 'e')};
    const std::vector<ConflictResolution> resolutions{bothChanged, deleted};
    EXPECT_EQ(Drugs(Resolve(merge, resolutions)),
              (std::vector<Drug>{With(A, "theirs", "edited!"), C, With(B, std::string(200, 'e'))}))
        << "an edited text is cut to the field's limit";

    deleted.keep = false;
    EXPECT_EQ(Drugs(Resolve(merge, std::vector{bothChanged, deleted})),
              (std::vector<Drug>{With(A, "theirs", "edited!"), C}));
    EXPECT_EQ(Drugs(Resolve(merge, std::vector{bothChanged})),
              (std::vector<Drug>{With(A, "theirs", "edited!"), C}))
        << "a conflict without a resolution takes ours";
}

TEST(RecordMerge, WithoutABaseAddsNewDrugsAndFindsDifferingOnesInConflict) {
    const RecordMerge merge =
        MergeRecordsWithoutBase(Records({A, B}), Records({With(B, "theirs", "theirs!"), C, A}));
    ASSERT_EQ(merge.conflicts.size(), 1u);
    EXPECT_EQ(merge.conflicts[0].identity.Name(), "B");
    EXPECT_EQ(merge.conflicts[0].kind, ConflictKind::ChangedOnBoth);
    EXPECT_EQ(merge.conflicts[0].fields, (std::vector{Field::Usage, Field::Cautions}));
    EXPECT_FALSE(merge.conflicts[0].base);
    EXPECT_EQ(Drugs(Resolve(merge, Side::Ours)), (std::vector<Drug>{A, B, C}));
    EXPECT_EQ(Drugs(Resolve(merge, Side::Theirs)),
              (std::vector<Drug>{A, With(B, "theirs", "theirs!"), C}));
}

TEST(RecordMerge, ComparesTwoVersionsRecordByRecord) {
    const Drug A2{"A", "second", ""};
    const auto older = Records({A, B, C, A2});
    const auto newer = Records({Drug{"D", "", ""}, C, With(A, "new", "new!"), A2});
    const std::vector<RecordChange> changes = CompareRecords(older, newer);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].kind, ChangeKind::Changed);
    EXPECT_EQ(changes[0].identity.Name(), "A");
    EXPECT_EQ(changes[0].older, 0u);
    EXPECT_EQ(changes[0].newer, 2u);
    EXPECT_EQ(changes[0].fields, (std::vector{Field::Usage, Field::Cautions}));
    EXPECT_EQ(changes[1].kind, ChangeKind::Deleted);
    EXPECT_EQ(changes[1].identity.Name(), "B");
    EXPECT_EQ(changes[2].kind, ChangeKind::Added);
    EXPECT_EQ(changes[2].identity.Name(), "D");
    EXPECT_EQ(changes[2].newer, 0u);

    EXPECT_TRUE(CompareRecords(Records(ABC), Records({C, A, B})).empty()) << "order is no change";
    EXPECT_TRUE(
        CompareRecords(std::vector{WithPadding(A, 1)}, std::vector{WithPadding(A, 2)}).empty())
        << "nor are the bytes after the texts";
}

TEST(RecordStoreRecords, ReplacingThemKeepsTheHeaderAndRefusesMoreThanTheLimit) {
    // A loaded file with a reserved header byte set and bytes after its records.
    std::vector<std::uint8_t> plain = PlainFile(0, DICT_HEADER_SIZE + 2000, 0x5A);
    plain[20] = 0x5A;
    RecordStore store;
    ASSERT_TRUE(LoadPlain(store, plain));
    EXPECT_TRUE(store.GetRecords().empty());

    ASSERT_TRUE(store.ReplaceRecords(Records({A, C})));
    EXPECT_EQ(store.GetCount(), 2u);
    EXPECT_EQ(store.GetCurrent(), 2u);
    const std::vector<std::uint8_t> image = ImageBytes(store);
    ASSERT_EQ(image.size(), DictionaryLength(2)) << "the bytes after the records are gone";
    EXPECT_EQ(image[20], 0x5A) << "a reserved header byte";
    std::uint32_t count = 0;
    store.ReadRecordCount(count);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(Drugs(store.GetRecords()), (std::vector<Drug>{A, C}));
    ResultList results;
    ASSERT_TRUE(store.Query("C", results, SEARCH_TRADE_NAME, SORT_BY_TRADE_NAME));
    EXPECT_EQ(results, ResultList{2}) << "the search sees the new records";

    const std::vector<std::uint8_t> before = ImageBytes(store);
    EXPECT_FALSE(store.ReplaceRecords(std::vector<RecordBytes>(DICT_MAX_RECORDS + 1)));
    EXPECT_EQ(ImageBytes(store), before);
    EXPECT_EQ(store.GetCount(), 2u);
    EXPECT_TRUE(store.ReplaceRecords(std::vector<RecordBytes>(DICT_MAX_RECORDS)));
    EXPECT_EQ(store.GetCount(), DICT_MAX_RECORDS);
}

}  // namespace
}  // namespace quorbex
