#include "store/record_merge.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "store/prefault.h"

namespace quorbex {

namespace {

// A record's name as the identity takes it, viewed in the record's bytes.
struct Name {
    std::string_view tradeName;
    std::string_view englishName;  // only without a trade name
    bool operator==(const Name&) const = default;
};

struct NameHash {
    std::size_t operator()(const Name& name) const {
        const std::hash<std::string_view> hash;
        return hash(name.tradeName) * 31 + hash(name.englishName);
    }
};

Name NameOf(const RecordBytes& record) {
    const std::string_view tradeName = FieldText(record, Field::TradeName);
    return {tradeName,
            tradeName.empty() ? FieldText(record, Field::EnglishName) : std::string_view()};
}

// Where each identity lies in one version's records: each name's first and
// last record, and from each record the next one of its name.
class IdentityIndex {
public:
    explicit IdentityIndex(std::span<const RecordBytes> records)
        : m_names(records.size()), m_occurrences(records.size()), m_next(records.size(), NONE) {
        m_chains.reserve(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            m_names[i] = NameOf(records[i]);
            const auto [chain, isFirst] = m_chains.try_emplace(m_names[i], Chain{i, i});
            if (!isFirst) {
                m_next[chain->second.last] = i;
                m_occurrences[i] = m_occurrences[chain->second.last] + 1;
                chain->second.last = i;
            }
        }
    }

    RecordIdentity Identity(std::size_t position) const {
        return {std::string(m_names[position].tradeName),
                std::string(m_names[position].englishName), m_occurrences[position]};
    }

    // Where the record that other holds at position lies here.
    std::optional<std::size_t> Find(const IdentityIndex& other, std::size_t position) const {
        const auto found = m_chains.find(other.m_names[position]);
        if (found == m_chains.end()) {
            return std::nullopt;
        }
        std::size_t here = found->second.first;
        for (std::uint32_t k = 0; k < other.m_occurrences[position]; ++k) {
            here = m_next[here];
            if (here == NONE) {
                return std::nullopt;
            }
        }
        return here;
    }

private:
    static constexpr std::size_t NONE = static_cast<std::size_t>(-1);

    // The first and the last record of one name.
    struct Chain {
        std::size_t first;
        std::size_t last;
    };

    std::vector<Name> m_names;
    std::vector<std::uint32_t> m_occurrences;
    std::vector<std::size_t> m_next;
    std::unordered_map<Name, Chain, NameHash> m_chains;
};

std::vector<Field> DifferingFields(const RecordBytes& a, const RecordBytes& b) {
    std::vector<Field> fields;
    for (const FieldLayout& layout : FIELD_LAYOUTS) {
        if (FieldText(a, layout.field) != FieldText(b, layout.field)) {
            fields.push_back(layout.field);
        }
    }
    return fields;
}

// Copies the field's whole width, the bytes after its NUL included.
void CopyField(RecordBytes& to, const RecordBytes& from, Field field) {
    const FieldLayout& layout = LayoutOf(field);
    std::copy_n(from.begin() + layout.offset, layout.limit + 1, to.begin() + layout.offset);
}

class Merger {
public:
    Merger(std::span<const RecordBytes> base, std::span<const RecordBytes> ours,
           std::span<const RecordBytes> theirs)
        : m_base(base),
          m_ours(ours),
          m_theirs(theirs),
          m_baseIndex(base),
          m_oursIndex(ours),
          m_theirsIndex(theirs) {}

    RecordMerge Run() {
        // Room for the most there can be, which most merges leave half unused:
        // backing it all with memory at once would cost more than it saves.
        m_merge.records.reserve(m_ours.size() + m_theirs.size());
        std::vector<bool> theirsPlaced(m_theirs.size(), false);
        for (std::size_t i = 0; i < m_ours.size(); ++i) {
            const std::optional<std::size_t> inBase = m_baseIndex.Find(m_oursIndex, i);
            const std::optional<std::size_t> inTheirs = m_theirsIndex.Find(m_oursIndex, i);
            if (inTheirs) {
                theirsPlaced[*inTheirs] = true;
                MergeFields(m_oursIndex, i, inBase, m_ours[i], m_theirs[*inTheirs]);
            } else if (inBase) {
                KeepOrDelete(m_oursIndex, i, ConflictKind::DeletedInTheirs, m_base[*inBase],
                             m_ours[i]);
            } else {
                m_merge.records.push_back({m_ours[i], std::nullopt});
            }
        }
        for (std::size_t i = 0; i < m_theirs.size(); ++i) {
            if (theirsPlaced[i]) {
                continue;
            }
            if (const std::optional<std::size_t> inBase = m_baseIndex.Find(m_theirsIndex, i)) {
                KeepOrDelete(m_theirsIndex, i, ConflictKind::DeletedInOurs, m_base[*inBase],
                             m_theirs[i]);
            } else {
                m_merge.records.push_back({m_theirs[i], std::nullopt});
            }
        }
        return std::move(m_merge);
    }

private:
    void MergeFields(const IdentityIndex& index, std::size_t position,
                     std::optional<std::size_t> inBase, const RecordBytes& ours,
                     const RecordBytes& theirs) {
        // Most records are the same bytes on both sides.
        if (ours == theirs) {
            m_merge.records.push_back({ours, std::nullopt});
            return;
        }
        const RecordBytes* base = inBase ? &m_base[*inBase] : nullptr;
        RecordBytes merged = ours;
        std::vector<Field> conflicting;
        for (const FieldLayout& layout : FIELD_LAYOUTS) {
            const std::string_view oursText = FieldText(ours, layout.field);
            const std::string_view theirsText = FieldText(theirs, layout.field);
            if (oursText == theirsText) {
                continue;
            }
            const std::optional<std::string_view> baseText =
                base ? std::optional(FieldText(*base, layout.field)) : std::nullopt;
            if (baseText == oursText) {
                CopyField(merged, theirs, layout.field);
            } else if (baseText != theirsText) {
                conflicting.push_back(layout.field);
            }
        }
        if (conflicting.empty()) {
            m_merge.records.push_back({merged, std::nullopt});
            return;
        }
        AddConflict({index.Identity(position), ConflictKind::ChangedOnBoth, std::move(conflicting),
                     base ? std::optional(*base) : std::nullopt, ours, theirs},
                    merged);
    }

    // A record that one side deleted and the other kept: it goes unless the
    // side that kept it changed it.
    void KeepOrDelete(const IdentityIndex& index, std::size_t position, ConflictKind kind,
                      const RecordBytes& base, const RecordBytes& kept) {
        std::vector<Field> changed = DifferingFields(base, kept);
        if (changed.empty()) {
            return;
        }
        MergeConflict conflict{
            index.Identity(position), kind, std::move(changed), base, std::nullopt, std::nullopt};
        (kind == ConflictKind::DeletedInOurs ? conflict.theirs : conflict.ours) = kept;
        AddConflict(std::move(conflict), kept);
    }

    void AddConflict(MergeConflict conflict, const RecordBytes& bytes) {
        m_merge.records.push_back({bytes, m_merge.conflicts.size()});
        m_merge.conflicts.push_back(std::move(conflict));
    }

    std::span<const RecordBytes> m_base;
    std::span<const RecordBytes> m_ours;
    std::span<const RecordBytes> m_theirs;
    IdentityIndex m_baseIndex;
    IdentityIndex m_oursIndex;
    IdentityIndex m_theirsIndex;
    RecordMerge m_merge;
};

}  // namespace

RecordMerge MergeRecords(std::span<const RecordBytes> base, std::span<const RecordBytes> ours,
                         std::span<const RecordBytes> theirs) {
    return Merger(base, ours, theirs).Run();
}

RecordMerge MergeRecordsWithoutBase(std::span<const RecordBytes> ours,
                                    std::span<const RecordBytes> theirs) {
    return MergeRecords({}, ours, theirs);
}

ConflictResolution Prefer(const MergeConflict& conflict, Side side) {
    ConflictResolution resolution;
    switch (conflict.kind) {
        case ConflictKind::ChangedOnBoth:
            break;
        case ConflictKind::DeletedInOurs:
            resolution.keep = side == Side::Theirs;
            break;
        case ConflictKind::DeletedInTheirs:
            resolution.keep = side == Side::Ours;
            break;
    }
    const auto source =
        side == Side::Ours ? FieldChoice::Source::Ours : FieldChoice::Source::Theirs;
    for (FieldChoice& choice : resolution.fields) {
        choice.source = source;
    }
    return resolution;
}

std::vector<RecordBytes> Resolve(const RecordMerge& merge,
                                 std::span<const ConflictResolution> resolutions) {
    // Backed by memory at once rather than page by page.
    std::vector<RecordBytes> records;
    records.reserve(merge.records.size());
    PrefaultForWriting(records.data(), merge.records.size() * sizeof(RecordBytes));
    for (const MergedRecord& merged : merge.records) {
        if (!merged.conflict) {
            records.push_back(merged.bytes);
            continue;
        }
        const MergeConflict& conflict = merge.conflicts[*merged.conflict];
        // A conflict left without a resolution takes ours.
        const ConflictResolution resolution = *merged.conflict < resolutions.size()
                                                  ? resolutions[*merged.conflict]
                                                  : Prefer(conflict, Side::Ours);
        const bool changedOnBoth = conflict.kind == ConflictKind::ChangedOnBoth;
        if (!changedOnBoth && !resolution.keep) {
            continue;
        }
        RecordBytes bytes = merged.bytes;
        for (const Field field : conflict.fields) {
            const FieldChoice& choice = resolution.fields[static_cast<std::size_t>(field)];
            if (choice.source == FieldChoice::Source::Edited) {
                std::string text = choice.text;
                StoreFieldText(bytes, field, text);
            } else if (changedOnBoth) {
                CopyField(
                    bytes,
                    choice.source == FieldChoice::Source::Ours ? *conflict.ours : *conflict.theirs,
                    field);
            }
        }
        records.push_back(bytes);
    }
    return records;
}

std::vector<RecordBytes> Resolve(const RecordMerge& merge, Side side) {
    std::vector<ConflictResolution> resolutions;
    resolutions.reserve(merge.conflicts.size());
    for (const MergeConflict& conflict : merge.conflicts) {
        resolutions.push_back(Prefer(conflict, side));
    }
    return Resolve(merge, resolutions);
}

std::vector<RecordChange> CompareRecords(std::span<const RecordBytes> older,
                                         std::span<const RecordBytes> newer) {
    const IdentityIndex olderIndex(older);
    const IdentityIndex newerIndex(newer);
    std::vector<RecordChange> changes;
    std::vector<bool> matched(newer.size(), false);
    for (std::size_t i = 0; i < older.size(); ++i) {
        const std::optional<std::size_t> inNewer = newerIndex.Find(olderIndex, i);
        if (!inNewer) {
            changes.push_back({ChangeKind::Deleted, olderIndex.Identity(i), i, std::nullopt, {}});
            continue;
        }
        matched[*inNewer] = true;
        if (older[i] == newer[*inNewer]) {
            continue;
        }
        std::vector<Field> fields = DifferingFields(older[i], newer[*inNewer]);
        if (!fields.empty()) {
            changes.push_back(
                {ChangeKind::Changed, olderIndex.Identity(i), i, inNewer, std::move(fields)});
        }
    }
    for (std::size_t i = 0; i < newer.size(); ++i) {
        if (!matched[i]) {
            changes.push_back({ChangeKind::Added, newerIndex.Identity(i), std::nullopt, i, {}});
        }
    }
    return changes;
}

}  // namespace quorbex
