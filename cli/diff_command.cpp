#include "cli/version_commands.h"

#include "cli/record_versions.h"
#include "cli/zvk.h"

namespace quorbex::zvk {

const std::string DIFF_HELP = R"(Usage: zvk diff OLD NEW

Tells what changed from the dictionary OLD to NEW, one line for each drug
added, deleted and each field changed:
  + NAME
  - NAME
  ~ NAME: FIELD: OLD TEXT → NEW TEXT
A drug is known by its trade name (its English name when it has none); the
second and later drugs of a name that repeats are NAME #2, NAME #3... in
file order. FIELD is named as in export's header row; a line break in a text
is written \n, a tab \t and a backslash \\. Deleted and changed drugs come in
OLD's order, then the added ones in NEW's order. The order of the drugs in
the files is not compared.

Exit status: 0 when the two hold the same drugs, 1 when they differ, 2 on
errors.
)";

const CommandSyntax DIFF_SYNTAX{{"OLD", "NEW"}, {}};

int RunDiff(const ParsedArguments& parsed, std::ostream& out, std::ostream&) {
    const std::vector<RecordBytes> older = VersionRecords(parsed.positionals[0]);
    const std::vector<RecordBytes> newer = VersionRecords(parsed.positionals[1]);
    const std::vector<RecordChange> changes = CompareRecords(older, newer);
    for (const RecordChange& change : changes) {
        const std::string label = RecordLabel(change.identity);
        switch (change.kind) {
            case ChangeKind::Added:
                out << "+ " << label << '\n';
                break;
            case ChangeKind::Deleted:
                out << "- " << label << '\n';
                break;
            case ChangeKind::Changed:
                for (const Field field : change.fields) {
                    out << "~ " << label << ": " << LayoutOf(field).name << ": "
                        << OneLineText(FieldText(older[*change.older], field)) << " → "
                        << OneLineText(FieldText(newer[*change.newer], field)) << '\n';
                }
                break;
        }
    }
    return changes.empty() ? EXIT_OK : EXIT_DIFFERENT;
}

}  // namespace quorbex::zvk
