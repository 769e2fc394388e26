// The zvk commands and the dispatch from a command line to one of them.
#include <algorithm>
#include <array>
#include <charconv>
#include <new>
#include <string_view>

#include "cli/arguments.h"
#include "cli/check.h"
#include "cli/command_error.h"
#include "cli/dictionary_io.h"
#include "cli/drug_json.h"
#include "cli/find_command.h"
#include "cli/input_file.h"
#include "cli/result_lines.h"
#include "cli/terminal_text.h"
#include "cli/version_commands.h"
#include "cli/zvk.h"
#include "csv/column_names.h"
#include "csv/drug_csv.h"
#include "csv/fault_list.h"
#include "csv/unencodable.h"
#include "store/gbk_codec.h"
#include "store/pinyin.h"

namespace quorbex::zvk {

using csv::DescribeUnencodable;
using csv::FaultList;

namespace {

// The sort key that keeps the results in record-number order.
constexpr int SORT_BY_NUMBER = 2;
// The open-time listing searches every field for the empty pattern.
constexpr int LIST_MASK = 0xFF;
constexpr int DEFAULT_SEARCH_MASK = 0x0F;

constexpr std::string_view MAIN_HELP = R"(Usage: zvk COMMAND ARGUMENTS...

Lists, searches, shows, converts, checks, compares and merges Quorbex drug
dictionaries (.zvk files). Text is shown as UTF-8; import reads UTF-8 or GBK.

Commands:
  list FILE [--sort trade|english|pinyin|none]
      every record, one per line: NUMBER, trade name, English name
  search FILE PATTERN [--fields MASK] [--sort trade|english|pinyin|none]
      the records whose chosen fields hold PATTERN
  find FILE QUERY [--limit N]
      the records that QUERY finds as the quick search box does, best first
  show FILE NUMBER
      one record's text, as the record view shows it
  export FILE --format csv|json [--lossy] [--safe-csv]
      every record in file order
  import CSVFILE -o FILE [--force] [--encoding auto|utf-8|gbk] [--fill-pinyin]
         [--no-header] [--columns LIST] [--safe-csv]
      a new dictionary from a spreadsheet's CSV file (UTF-8 or GBK)
  check FILE
      whether FILE is a sound dictionary
  diff OLD NEW
      the drugs added, deleted and changed from OLD to NEW
  merge BASE OURS THEIRS [-o OUT] [--force] [--prefer ours|theirs]
      the changes of OURS and THEIRS to BASE, merged (git's merge driver)

Run "zvk COMMAND --help" for the details of one command, "zvk --version"
for the version.
Exit status: 0 on success, 1 when search or find finds nothing, check finds
a fault, diff finds a change or merge leaves conflicts, 2 on a usage error or
a failure.
)";

// Text, not a string: nothing is allocated before main, where running out
// of memory could not be told.
constexpr std::string_view SORT_HELP =
    R"(  --sort KEY     trade (the default) orders by trade name, english by English
                 name, pinyin by the Mandarin reading of the trade name, none
                 keeps record-number order; trade and english order names by
                 their GBK bytes, so upper-case letters come before lower-case
                 ones; pinyin puts names without Chinese characters first, in
                 Latin order, letters of either case together
)";

// The names --columns takes, in the fields' file order.
constexpr std::array<std::string_view, 7> COLUMN_KEYS{"trade",    "pinyin", "english", "other",
                                                      "function", "usage",  "cautions"};
constexpr std::string_view SKIPPED_COLUMN = "-";

// How many columns of a terminal a name takes: a Chinese character (three
// bytes of UTF-8) two.
std::size_t ShownWidth(std::string_view name) {
    const auto ascii = static_cast<std::size_t>(
        std::count_if(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; }));
    return ascii + (name.size() - ascii) / 3 * 2;
}

// The names a header row may give each field, a line per field.
std::string ColumnNamesHelp() {
    constexpr std::array<std::string_view, 7> fields{
        "trade name", "pinyin initials", "English name", "other names",
        "function",   "usage",           "cautions"};
    std::string help;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string line = "  " + std::string(fields[i]);
        line.resize(19, ' ');
        // Names after the first ones wrap onto lines of their own.
        std::size_t width = line.size();
        const std::vector<std::string_view> names = csv::ColumnNamesOf(FIELD_LAYOUTS[i].field);
        for (std::size_t n = 0; n < names.size(); ++n) {
            if (n > 0 && width + 2 + ShownWidth(names[n]) > 79) {
                line += ",\n" + std::string(19, ' ');
                width = 19;
            } else if (n > 0) {
                line += ", ";
                width += 2;
            }
            line += names[n];
            width += ShownWidth(names[n]);
        }
        help += line + '\n';
    }
    return help;
}

struct Command {
    std::string_view name;
    std::string help;
    CommandSyntax syntax;
    int (*run)(const ParsedArguments&, std::ostream& out, std::ostream& err);
};

int SortKey(const ParsedArguments& parsed) {
    const auto option = parsed.options.find("--sort");
    if (option == parsed.options.end() || option->second == "trade") {
        return SORT_BY_TRADE_NAME;
    }
    if (option->second == "english") {
        return SORT_BY_ENGLISH_NAME;
    }
    if (option->second == "pinyin") {
        return SORT_BY_PINYIN;
    }
    if (option->second == "none") {
        return SORT_BY_NUMBER;
    }
    throw UsageError("--sort takes trade, english, pinyin or none, not \"" + option->second + "\"");
}

int SearchMask(const ParsedArguments& parsed) {
    const auto option = parsed.options.find("--fields");
    if (option == parsed.options.end()) {
        return DEFAULT_SEARCH_MASK;
    }
    std::string_view digits = option->second;
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        digits.remove_prefix(2);
        base = 16;
    }
    unsigned mask = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), mask, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        mask > 0xFF) {
        throw UsageError("--fields takes a mask from 0 to 0xFF, such as 0x0F, not \"" +
                         option->second + "\"");
    }
    return static_cast<int>(mask);
}

// Tells the faults shown, then how many more there were.
void ReportFaults(const FaultList& faults, const std::string& path, std::string_view what,
                  std::ostream& err) {
    for (const csv::CsvFault& fault : faults.Shown()) {
        err << "zvk: " << path << ": " << csv::DescribeFault(fault) << '\n';
    }
    if (faults.NotShown() > 0) {
        err << "zvk: " << path << ": " << faults.NotShown() << " more " << what << " not shown\n";
    }
}

int RunList(const ParsedArguments& parsed, std::ostream& out, std::ostream&) {
    const int sortKey = SortKey(parsed);
    RecordStore store;
    LoadDictionary(parsed.positionals[0], store);
    ResultList results;
    store.Query("", results, LIST_MASK, sortKey);
    PrintResults(store, results, out);
    return EXIT_OK;
}

int RunSearch(const ParsedArguments& parsed, std::ostream& out, std::ostream&) {
    const int sortKey = SortKey(parsed);
    const int mask = SearchMask(parsed);
    GbkEncodeError error;
    const std::optional<std::string> pattern = Utf8ToGbk(parsed.positionals[1], &error);
    if (!pattern) {
        throw CommandError("the pattern holds " + DescribeUnencodable(error));
    }
    RecordStore store;
    LoadDictionary(parsed.positionals[0], store);
    ResultList results;
    if (!store.Query(*pattern, results, mask, sortKey)) {
        return EXIT_NOT_FOUND;
    }
    PrintResults(store, results, out);
    return EXIT_OK;
}

int RunShow(const ParsedArguments& parsed, std::ostream& out, std::ostream&) {
    const std::string& path = parsed.positionals[0];
    const std::string& text = parsed.positionals[1];
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || end != text.data() + text.size() ||
        (error != std::errc() && error != std::errc::result_out_of_range)) {
        throw UsageError("NUMBER must be a record number, not \"" + text + "\"");
    }
    RecordStore store;
    LoadDictionary(path, store);
    if (error == std::errc::result_out_of_range || number < 1 || number > store.GetCount()) {
        throw CommandError(path + ": no record " + text +
                           (store.GetCount() == 0 ? "; it holds no records"
                                                  : "; its records are numbered 1 to " +
                                                        std::to_string(store.GetCount())));
    }
    DrugFields fields = ReadRecords(store, {static_cast<std::uint32_t>(number)}).front();
    std::string rendered = RenderRecordText(fields);
    // The record view breaks lines with "\r\n"; a terminal wants "\n". Both
    // bytes lie below GBK's trail bytes, so this never splits a character.
    for (std::size_t at = rendered.find("\r\n"); at != std::string::npos;
         at = rendered.find("\r\n", at + 1)) {
        rendered.erase(at, 1);
    }
    if (IsTerminal(out)) {
        std::string escaped;
        AppendEscaped(escaped, rendered, "\t\n");
        rendered = std::move(escaped);
    }
    if (!rendered.empty()) {
        out << GbkToUtf8(rendered) << '\n';
    }
    return EXIT_OK;
}

int RunExport(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
    const auto format = parsed.options.find("--format");
    if (format == parsed.options.end()) {
        throw UsageError("export needs --format csv or --format json");
    }
    if (format->second != "csv" && format->second != "json") {
        throw UsageError("--format takes csv or json, not \"" + format->second + "\"");
    }
    const bool safeCsv = parsed.Has("--safe-csv");
    if (safeCsv && format->second != "csv") {
        throw UsageError("--safe-csv goes with --format csv");
    }
    RecordStore store;
    LoadDictionary(parsed.positionals[0], store);
    const std::vector<DrugFields> records = AllRecords(store);
    if (!parsed.Has("--lossy")) {
        const FaultList faults = csv::UnconvertibleFields(records);
        if (!faults.Empty()) {
            ReportFaults(faults, parsed.positionals[0], "fields", err);
            err << "zvk: nothing exported; give --lossy to export with U+FFFD in their place\n";
            return EXIT_ERROR;
        }
    }
    if (format->second == "csv") {
        csv::WriteDrugCsv(records, out,
                          safeCsv ? csv::FormulaCells::Guarded : csv::FormulaCells::Plain);
    } else {
        WriteDrugJson(records, out);
    }
    return EXIT_OK;
}

// The columns as --columns and --no-header give them.
csv::CsvColumns Columns(const ParsedArguments& parsed) {
    csv::CsvColumns columns;
    columns.headerRow = !parsed.Has("--no-header");
    const auto option = parsed.options.find("--columns");
    if (option == parsed.options.end()) {
        return columns;
    }
    std::string_view list = option->second;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view key = list.substr(0, comma);
        const auto found = std::find(COLUMN_KEYS.begin(), COLUMN_KEYS.end(), key);
        if (key == SKIPPED_COLUMN) {
            columns.fields.emplace_back();
        } else if (found == COLUMN_KEYS.end()) {
            throw UsageError(
                "--columns takes trade, pinyin, english, other, function, usage, "
                "cautions or - for each column, not \"" +
                std::string(key) + "\"");
        } else {
            const Field field =
                FIELD_LAYOUTS[static_cast<std::size_t>(found - COLUMN_KEYS.begin())].field;
            if (std::find(columns.fields.begin(), columns.fields.end(), field) !=
                columns.fields.end()) {
                throw UsageError("--columns names " + std::string(key) + " twice");
            }
            columns.fields.emplace_back(field);
        }
        if (comma == std::string_view::npos) {
            break;
        }
        list.remove_prefix(comma + 1);
    }
    return columns;
}

int RunImport(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
    const auto output = parsed.options.find("--output");
    if (output == parsed.options.end()) {
        throw UsageError("import needs -o FILE");
    }
    const std::string& csvPath = parsed.positionals[0];
    const std::string& path = output->second;
    if (path.empty()) {
        throw UsageError("-o needs a file name, not \"\"");
    }
    const bool replace = parsed.Has("--force");
    if (!replace) {
        RequireAbsent(path);
    }

    csv::TextEncoding encoding = csv::TextEncoding::Auto;
    if (const auto option = parsed.options.find("--encoding"); option != parsed.options.end()) {
        const auto named = csv::EncodingNamed(option->second);
        if (!named) {
            throw UsageError("--encoding takes auto, utf-8 or gbk, not \"" + option->second + "\"");
        }
        encoding = *named;
    }

    InputFile file(csvPath);
    csv::DrugCsvReading reading = csv::ReadDrugCsv(
        [&file](char* buffer, std::size_t count) { return file.Read(buffer, count); },
        [&file] { file.Rewind(); }, encoding, Columns(parsed),
        parsed.Has("--safe-csv") ? csv::FormulaCells::Guarded : csv::FormulaCells::Plain);
    file.CheckUnchanged();
    for (const csv::CsvFault& warning : reading.warnings) {
        err << "zvk: " << csvPath << ": warning: " << csv::DescribeFault(warning) << '\n';
    }
    if (!reading.faults.Empty()) {
        ReportFaults(reading.faults, csvPath, "faults", err);
        const auto& shown = reading.faults.Shown();
        if (std::any_of(shown.begin(), shown.end(), [](const csv::CsvFault& fault) {
                return fault.kind == csv::CsvFault::Kind::NoFieldNamed;
            })) {
            err << "zvk: for a list without a header row, give --no-header and --columns\n";
        }
        err << "zvk: nothing written to " << path << '\n';
        return EXIT_ERROR;
    }

    std::vector<DrugFields>& records = reading.records;
    const bool fillPinyin = parsed.Has("--fill-pinyin");
    std::size_t filled = 0;
    RecordStore store;
    for (DrugFields& record : records) {
        if (fillPinyin && record.pinyinInitials.empty()) {
            record.pinyinInitials =
                pinyin::Initials(record.tradeName, LayoutOf(Field::PinyinInitials).limit);
            filled += record.pinyinInitials.empty() ? 0 : 1;
        }
        ExchangeFields(store, record, false);
        // The reader keeps no more records than a dictionary holds, so only
        // memory can fail the store.
        if (!store.AppendRecord()) {
            throw std::bad_alloc();
        }
    }
    SaveDictionary(store, path, replace);
    out << "wrote " << records.size() << " records to " << path << '\n';
    if (fillPinyin) {
        out << "filled the pinyin initials of " << filled << " records\n";
    }
    return EXIT_OK;
}

int RunCheck(const ParsedArguments& parsed, std::ostream& out, std::ostream& err) {
    const std::string& path = parsed.positionals[0];
    const std::string bytes = ReadFileBytes(path);
    if (OpensAsEmptyDictionary(bytes)) {
        err << "zvk: " << path << ": warning: " << bytes.size()
            << " bytes long, without a header; it opens as an empty dictionary\n";
        out << path << ": an empty dictionary without a header\n";
        return EXIT_OK;
    }
    const std::vector<std::string> problems = CheckDictionary(bytes);
    if (!problems.empty()) {
        for (const std::string& problem : problems) {
            err << "zvk: " << path << ": " << problem << '\n';
        }
        return EXIT_NOT_FOUND;
    }
    out << path << ": a sound dictionary of "
        << (bytes.size() - DICT_HEADER_SIZE) / DICT_RECORD_SIZE << " records\n";
    return EXIT_OK;
}

const OptionSyntax SORT_OPTION{"--sort", "", true};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands{
        {"list",
         R"(Usage: zvk list FILE [--sort trade|english|pinyin|none]

Lists every record of FILE, one per line: NUMBER<TAB>TRADENAME<TAB>ENGLISHNAME,
NUMBER counting the records from 1 in file order.

Options:
)" + std::string(SORT_HELP),
         {{"FILE"}, {SORT_OPTION}},
         RunList},
        {"search",
         R"(Usage: zvk search FILE PATTERN [--fields MASK]
                  [--sort trade|english|pinyin|none]

Lists the records whose chosen fields hold PATTERN, in the format of list.
Letters match in either case; PATTERN counts only its first 20 bytes in GBK.

Options:
  --fields MASK  the fields searched, decimal or 0x-hex, the sum of
                 0x01 trade name, 0x02 pinyin initials, 0x04 other names,
                 0x08 English name, 0x10 function, 0x20 usage, 0x40 cautions,
                 or 0x80 for all fields (the default is 0x0F)
)" + std::string(SORT_HELP) +
             R"(
Exit status: 0 with hits, 1 with none, 2 on errors.
)",
         {{"FILE", "PATTERN"}, {{"--fields", "", true}, SORT_OPTION}},
         RunSearch},
        {"find",
         R"(Usage: zvk find FILE QUERY [--limit N]

Finds drugs as the program's quick search box does and lists them in the
format of list, the best first. Letters match in either case, full-width
letters, digits and signs as ASCII ones, and a run of spaces as one space.
QUERY is looked for in the trade name, the pinyin initials, the other
names (each of a list separated by commas, semicolons, slashes or
ideographic commas) and the English name, and in the trade name's pinyin:
from any of its characters on, each giving the start of one of its
readings, any of them for a character read more than one way, v or u for ü
(amoxilin, amxl, amoxl and xilin all find the drug whose trade name reads
a-mo-xi-lin).

The order: a name that is QUERY; a name that starts with it; the initials
or the trade name's pinyin that start with it; a name, the initials or the
pinyin that hold it further on; each group by trade name. QUERY may hold
up to 200 bytes in GBK, each full-width letter counting as one.

When nothing matches, up to three drugs whose English name or pinyin starts
within one or two typing errors of QUERY are named on standard error, the
closest first, in lines of the form: did you mean: NAME (English)

Options:
  --limit N  print at most N lines

Exit status: 0 with hits, 1 with none, 2 on errors.
)",
         {{"FILE", "QUERY"}, {{"--limit", "", true}}},
         RunFind},
        {"show",
         R"(Usage: zvk show FILE NUMBER

Shows record NUMBER (counted from 1) as the record view shows it: the trade
name with its other names, the English name, then function, usage and
cautions under their headings.
)",
         {{"FILE", "NUMBER"}, {}},
         RunShow},
        {"export",
         R"(Usage: zvk export FILE --format csv|json [--lossy] [--safe-csv]

Writes every record of FILE in file order. CSV (RFC 4180) has the header row
TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions;
JSON is an array of objects with those keys. Line breaks inside a field are
written as stored. A field whose bytes are not GBK text cannot be written
as it is: export names each such field and writes nothing.

Options:
  --format FORMAT  csv or json
  --lossy          write such bytes as U+FFFD instead; import cannot take
                   them back
  --safe-csv       write a cell that begins with =, +, -, @ or a tab, which a
                   spreadsheet would take as a formula, after an apostrophe;
                   import --safe-csv takes the apostrophe away again
)",
         {{"FILE"}, {{"--format", "", true}, {"--lossy", "", false}, {"--safe-csv", "", false}}},
         RunExport},
        {"import",
         R"(Usage: zvk import CSVFILE -o FILE [--force] [--encoding auto|utf-8|gbk]
                       [--fill-pinyin] [--no-header] [--columns LIST] [--safe-csv]

Builds a new dictionary FILE from CSVFILE, a drug list saved by a spreadsheet
or written by export. Its header row names the columns, in any order, letter
case and surrounding spaces aside:
)" + ColumnNamesHelp() +
             R"(Columns of other names are skipped, with a warning that names them; rows
whose every cell is empty are skipped. CSVFILE is UTF-8, with or without a
byte order mark, or GBK, as spreadsheets set up for Chinese write it; auto,
the default, takes it as UTF-8 when all of it is well-formed UTF-8, else as
GBK. Each field must fit its limit in GBK bytes: trade name 20, pinyin
initials 10, English name 20, other names 40, function, usage and cautions
200 each. Every row needs a trade name or an English name; a dictionary
holds at most 2000 drugs. If anything is wrong, nothing is written; the
first 20 faults are named, each by its row as the spreadsheet numbers it
(the header is row 1) and its drug, then how many more.

Options:
  -o, --output FILE  the dictionary to write
  --force            replace FILE if it exists; a symbolic link is written
                     through to its file, which keeps its mode and group
  --encoding NAME    auto (the default), utf-8 or gbk
  --fill-pinyin      fill each empty pinyin initials with the initials of the
                     trade name's Mandarin readings (its Latin letters and
                     digits upper-cased, other characters skipped, at most 10)
                     and say how many were filled
  --no-header        the first row is a drug, not a header row
  --columns LIST     the field of each column, whatever the header row says:
                     trade, pinyin, english, other, function, usage, cautions,
                     or - to skip the column, separated by commas (without
                     --columns and without a header row, the columns are
                     trade,pinyin,english,other,function,usage,cautions)
  --safe-csv         read CSVFILE as export --safe-csv wrote it: a cell that
                     begins with an apostrophe before =, +, -, @ or a tab
                     loses that apostrophe
)",
         {{"CSVFILE"},
          {{"--output", "-o", true},
           {"--force", "", false},
           {"--encoding", "", true},
           {"--fill-pinyin", "", false},
           {"--no-header", "", false},
           {"--columns", "", true},
           {"--safe-csv", "", false}}},
         RunImport},
        {"check",
         R"(Usage: zvk check FILE

Says whether FILE is a sound dictionary: the right magic, at most 2000
records, a length of 128 + 698 bytes per record, and every field ended by a
NUL within its width. Names each fault found; the exit status is 1 if any.
A file of at most 6 bytes has no header and opens as an empty dictionary, as
the program opens it: check warns of it and exits with status 0.
)",
         {{"FILE"}, {}},
         RunCheck},
        {"diff", DIFF_HELP, DIFF_SYNTAX, RunDiff},
        {"merge", MERGE_HELP, MERGE_SYNTAX, RunMerge},
    };
    return commands;
}

}  // namespace

int RunZvk(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string usageHint = "zvk --help";
    try {
        if (args.empty()) {
            throw UsageError("no command given");
        }
        if (args[0] == "--help" || args[0] == "-h") {
            out << MAIN_HELP;
            return EXIT_OK;
        }
        if (args[0] == "--version") {
            out << "zvk " QUORBEX_VERSION "\n";
            return EXIT_OK;
        }
        const auto& commands = Commands();
        const auto command =
            std::find_if(commands.begin(), commands.end(),
                         [&args](const Command& candidate) { return candidate.name == args[0]; });
        if (command == commands.end()) {
            throw UsageError("unknown command \"" + args[0] + "\"");
        }
        usageHint = "zvk " + args[0] + " --help";
        const ParsedArguments parsed =
            ParseArguments(command->syntax, std::vector<std::string>(args.begin() + 1, args.end()));
        if (parsed.help) {
            out << command->help;
            return EXIT_OK;
        }
        return command->run(parsed, out, err);
    } catch (const UsageError& error) {
        err << "zvk: " << error.what() << "\nRun \"" << usageHint << "\" for usage.\n";
    } catch (const CommandError& error) {
        err << "zvk: " << error.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "zvk: out of memory\n";
    } catch (const std::exception& error) {
        err << "zvk: " << error.what() << '\n';
    }
    return EXIT_ERROR;
}

}  // namespace quorbex::zvk
