#include "cli/version_commands.h"

#include <new>
#include <optional>
#include <vector>

#include "cli/command_error.h"
#include "cli/dictionary_io.h"
#include "cli/record_versions.h"
#include "cli/zvk.h"

namespace quorbex::zvk {

const std::string MERGE_HELP = R"(Usage: zvk merge BASE OURS THEIRS [-o OUT] [--force]
                 [--prefer ours|theirs]

Merges the changes that OURS and THEIRS each made to BASE, the version both
came from. A drug is known by its trade name (its English name when it has
none), and the second and later drugs of a name that repeats by their place
among them in file order. A field changed on one side takes that side's
text; changed alike on both, that text; changed differently, a conflict. A
drug deleted on one side goes, unless the other side changed it: a conflict.
A drug added on either side is added; added on both with different texts, a
conflict. The result holds OURS' drugs in OURS' order, then those only
THEIRS holds, in THEIRS' order; a drug that neither side changed keeps its
bytes exactly.

At a conflict the result takes OURS (THEIRS with --prefer theirs), and each
conflict is named on stderr with the drug and the field. Without -o the
result replaces OURS in one step, keeping its permissions and group: that is
git's merge driver convention, zvk merge %O %A %B. An empty BASE is a
dictionary without drugs.

Options:
  -o, --output OUT  write the result to OUT instead
  --force           replace OUT if it exists
  --prefer SIDE     ours (the default) or theirs: the side taken at conflicts

Exit status: 0 for a clean merge, 1 with conflicts, 2 on errors (nothing is
written then, as for a result of more than 2000 drugs).
)";

const CommandSyntax MERGE_SYNTAX{
    {"BASE", "OURS", "THEIRS"},
    {{"--output", "-o", true}, {"--force", "", false}, {"--prefer", "", true}}};

namespace {

Side PreferredSide(const ParsedArguments& parsed) {
    const auto option = parsed.options.find("--prefer");
    if (option == parsed.options.end() || option->second == "ours") {
        return Side::Ours;
    }
    if (option->second == "theirs") {
        return Side::Theirs;
    }
    throw UsageError("--prefer takes ours or theirs, not \"" + option->second + "\"");
}

const char* ConflictWords(const MergeConflict& conflict) {
    switch (conflict.kind) {
        case ConflictKind::ChangedOnBoth:
            return conflict.base ? "changed in both" : "added in both, differently";
        case ConflictKind::DeletedInOurs:
            return "deleted in ours, changed in theirs";
        case ConflictKind::DeletedInTheirs:
            break;
    }
    return "changed in ours, deleted in theirs";
}

void ReportConflicts(const RecordMerge& merge, std::ostream& err) {
    for (const MergeConflict& conflict : merge.conflicts) {
        const std::string label = RecordLabel(conflict.identity);
        for (const Field field : conflict.fields) {
            err << "zvk: conflict: " << label << ": " << LayoutOf(field).name << ": "
                << ConflictWords(conflict) << '\n';
        }
    }
}

}  // namespace

int RunMerge(const ParsedArguments& parsed, std::ostream&, std::ostream& err) {
    const Side side = PreferredSide(parsed);
    const std::string& oursPath = parsed.positionals[1];
    const auto output = parsed.options.find("--output");
    const bool replaceOutput = parsed.Has("--force");
    if (output != parsed.options.end()) {
        if (output->second.empty()) {
            throw UsageError("-o needs a file name, not \"\"");
        }
        if (!replaceOutput) {
            RequireAbsent(output->second);
        }
    } else if (replaceOutput) {
        throw UsageError("--force goes with -o OUT");
    }

    // Read in the order of the command line, so that the first bad file is
    // the one named.
    const std::vector<RecordBytes> base = VersionRecords(parsed.positionals[0]);
    RecordStore ours;
    LoadVersion(oursPath, ours);
    const RecordMerge merge =
        MergeRecords(base, ours.GetRecords(), VersionRecords(parsed.positionals[2]));
    const std::vector<RecordBytes> records = Resolve(merge, side);
    if (records.size() > DICT_MAX_RECORDS) {
        throw CommandError("the merged dictionary would hold " + std::to_string(records.size()) +
                           " drugs, more than the " + std::to_string(DICT_MAX_RECORDS) +
                           " a dictionary holds; nothing written");
    }
    if (!ours.ReplaceRecords(records)) {
        throw std::bad_alloc();
    }

    std::string written = oursPath;
    if (output != parsed.options.end()) {
        written = output->second;
        SaveDictionary(ours, written, replaceOutput);
    } else if (const std::optional<std::string> lostGroup = ReplaceDictionary(ours, oursPath)) {
        err << "zvk: " << oursPath << ": warning: could not keep its group " << *lostGroup
            << "; its members lost access to it\n";
    }
    ReportConflicts(merge, err);
    if (merge.Clean()) {
        return EXIT_OK;
    }
    const std::size_t count = merge.conflicts.size();
    err << "zvk: " << count << (count == 1 ? " drug" : " drugs") << " in conflict; " << written
        << " holds " << (side == Side::Ours ? "ours" : "theirs") << " at each\n";
    return EXIT_DIFFERENT;
}

}  // namespace quorbex::zvk
