// Combining the records of two versions of one dictionary, with the version
// both came from (a three-way merge) or without it, and telling what changed
// from one version to another.
//
// A record is known across versions by its identity: its trade name, and for
// a name that repeats, which of the records of that name it is in file order.
// A record is compared field by field on the fields' texts; the bytes after a
// field's NUL and the spare byte carry no meaning and are never compared.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/record_bytes.h"

namespace quorbex {

struct RecordIdentity {
    std::string tradeName;  // GBK
    // Only for a record without a trade name, which the English name then
    // identifies, as it does to the user; empty otherwise.
    std::string englishName;
    // 0 for the first record of the name in file order, 1 for the second...
    std::uint32_t occurrence = 0;

    // The name the record goes by: its trade name, or its English name.
    const std::string& Name() const { return tradeName.empty() ? englishName : tradeName; }
};

enum class Side { Ours, Theirs };

enum class ConflictKind {
    // Fields changed differently on the two sides, or, for a record that
    // both sides added (or a merge without a base holds on both), fields
    // whose texts differ.
    ChangedOnBoth,
    // Ours deleted the record and theirs changed it.
    DeletedInOurs,
    // Theirs deleted the record and ours changed it.
    DeletedInTheirs,
};

struct MergeConflict {
    RecordIdentity identity;
    ConflictKind kind;
    // ChangedOnBoth: the fields in conflict. A deletion: the fields that the
    // side which kept the record changed. In file order.
    std::vector<Field> fields;
    std::optional<RecordBytes> base;    // none when the record is new
    std::optional<RecordBytes> ours;    // none when ours deleted it
    std::optional<RecordBytes> theirs;  // none when theirs deleted it
};

// One record of the merge's result, in the result's order: ours' records in
// ours' order, then the records only theirs holds, in theirs' order.
struct MergedRecord {
    // The record as merged. In conflict: ChangedOnBoth, every field that is
    // not in conflict merged and ours' at each field in conflict; a deletion,
    // the version that was kept. A record that neither side changed is ours'
    // bytes, which are then the base's.
    RecordBytes bytes;
    std::optional<std::size_t> conflict;  // its index in RecordMerge::conflicts
};

struct RecordMerge {
    // Holds each record in conflict too, whether a resolution keeps it or not.
    std::vector<MergedRecord> records;
    std::vector<MergeConflict> conflicts;

    bool Clean() const { return conflicts.empty(); }
};

// Merges the changes that ours and theirs each made to base. A field changed
// on one side takes that side's text; changed alike on both, that text;
// changed differently, a conflict. A record deleted on one side goes, unless
// the other side changed it: a conflict. A record added on one side is
// added; added on both, it is one record if its fields agree, else a
// conflict in the fields that differ. A field taken from theirs brings its
// whole width of bytes; everything else is ours' bytes.
RecordMerge MergeRecords(std::span<const RecordBytes> base, std::span<const RecordBytes> ours,
                         std::span<const RecordBytes> theirs);

// Merges theirs into ours without a common version: every record of either,
// a record of one name on both sides once where the two agree, and a
// ChangedOnBoth conflict in the fields where they do not. The same as a
// merge with an empty base.
RecordMerge MergeRecordsWithoutBase(std::span<const RecordBytes> ours,
                                    std::span<const RecordBytes> theirs);

// How one field in conflict is settled.
struct FieldChoice {
    enum class Source { Ours, Theirs, Edited };
    Source source = Source::Ours;
    std::string text;  // Edited: the field's text, GBK; cut to the field's limit
};

// How one conflict is settled.
struct ConflictResolution {
    // A deletion: whether the record stays, as the version that was kept.
    // ChangedOnBoth: the record always stays.
    bool keep = true;
    // By Field; only the conflict's fields are read. Ours and Theirs take
    // that side's text (ChangedOnBoth only: a deletion has one version);
    // Edited takes the text given, in any kind of conflict.
    std::array<FieldChoice, 7> fields{};
};

// The resolution that takes side at every field in conflict and for every
// deletion.
ConflictResolution Prefer(const MergeConflict& conflict, Side side);

// The merged records, each conflict settled by the resolution of the same
// index (one for each conflict). The result may hold more records than a
// dictionary does: the caller refuses it then (RecordStore::ReplaceRecords
// does).
std::vector<RecordBytes> Resolve(const RecordMerge& merge,
                                 std::span<const ConflictResolution> resolutions);
// The merged records with side taken at every conflict.
std::vector<RecordBytes> Resolve(const RecordMerge& merge, Side side);

enum class ChangeKind { Added, Deleted, Changed };

struct RecordChange {
    ChangeKind kind;
    RecordIdentity identity;
    std::optional<std::size_t> older;  // index in older; none when added
    std::optional<std::size_t> newer;  // index in newer; none when deleted
    std::vector<Field> fields;         // Changed: the fields whose texts differ
};

// What changed from older to newer: the deleted and changed records in
// older's order, then the added ones in newer's order. Order alone is no
// change.
std::vector<RecordChange> CompareRecords(std::span<const RecordBytes> older,
                                         std::span<const RecordBytes> newer);

}  // namespace quorbex
