// The CSV reader of zvk import and the program's import. Whatever the text, it reads the same in
// pieces of any size as whole, names at most the first 20 faults, and what
// it accepts goes through a dictionary file and an export unchanged: the
// exported CSV reads back as the same records, and so does an export with
// formulas guarded, none of whose cells begins as a formula. Its last two
// bytes choose the size of the pieces.
#include <fuzzer/FuzzedDataProvider.h>

#include <sstream>

#include "csv/csv_text.h"
#include "csv/drug_csv.h"
#include "fuzz/fuzz_check.h"
#include "store/drug_fields.h"
#include "store/record_store.h"
#include "tests/support/memory_file.h"

namespace quorbex::fuzz {
namespace {

using csv::CsvParser;
using csv::CsvRecord;
using csv::DrugCsvReader;

struct Reading {
    std::vector<DrugFields> records;
    std::vector<csv::CsvFault> faults;
    std::size_t faultsNotShown;
};

Reading Read(std::string_view text, std::size_t pieceSize,
             csv::FormulaCells formulas = csv::FormulaCells::Plain) {
    DrugCsvReader reader(csv::TextEncoding::Utf8, {}, formulas);
    for (std::size_t at = 0; at < text.size(); at += pieceSize) {
        if (!reader.Feed(text.substr(at, pieceSize))) {
            break;
        }
    }
    reader.Finish();
    return {reader.Records(), reader.Faults().Shown(), reader.Faults().NotShown()};
}

std::vector<std::vector<std::string>> ParseFields(std::string_view text, bool& wellFormed) {
    std::vector<std::vector<std::string>> records;
    CsvParser parser({100, 1 << 16}, [&records](CsvRecord&& record) {
        records.push_back(std::move(record.fields));
        return true;
    });
    parser.Feed(text);
    parser.Finish();
    wellFormed = !parser.Error();
    return records;
}

// The records as a dictionary file holds them once they are stored and loaded again.
std::vector<DrugFields> ThroughADictionary(std::vector<DrugFields> records) {
    RecordStore store;
    for (DrugFields& record : records) {
        ExchangeFields(store, record, false);
        FUZZ_CHECK(store.AppendRecord());
    }
    testing::MemoryFile file;
    FUZZ_CHECK(store.SaveToFile(&file));
    RecordStore loaded;
    FUZZ_CHECK(loaded.LoadFromFile(file));
    std::vector<DrugFields> back(loaded.GetCount());
    for (std::uint32_t number = 1; number <= back.size(); ++number) {
        FUZZ_CHECK(loaded.GoToRecord(number));
        ExchangeFields(loaded, back[number - 1], true);
    }
    return back;
}

}  // namespace
}  // namespace quorbex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace quorbex;
    using namespace quorbex::fuzz;
    FuzzedDataProvider data(bytes, size);
    const std::size_t pieceSize = data.ConsumeIntegralInRange<std::size_t>(1, 4096);
    const std::string text = data.ConsumeRemainingBytesAsString();

    // The parser: formatting what it read and reading that again gives the same fields.
    bool wellFormed = false;
    const auto fields = ParseFields(text, wellFormed);
    if (wellFormed) {
        std::string formatted;
        for (const auto& record : fields) {
            formatted += csv::FormatCsvRecord(record);
        }
        bool again = false;
        FUZZ_CHECK(ParseFields(formatted, again) == fields);
        FUZZ_CHECK(again);
    }

    const Reading whole = Read(text, std::max<std::size_t>(text.size(), 1));
    const Reading pieces = Read(text, pieceSize);
    FUZZ_CHECK(pieces.faults == whole.faults);
    FUZZ_CHECK(pieces.faultsNotShown == whole.faultsNotShown);
    FUZZ_CHECK(whole.faults.size() <= csv::FaultList::MOST_SHOWN);
    if (!whole.faults.empty()) {
        return 0;
    }
    FUZZ_CHECK(pieces.records == whole.records);
    FUZZ_CHECK(whole.records.size() <= DICT_MAX_RECORDS);

    // Accepted records fit their fields, so a dictionary holds them unchanged,
    // and their export reads back as the same records.
    FUZZ_CHECK(ThroughADictionary(whole.records) == whole.records);
    std::ostringstream exported;
    csv::WriteDrugCsv(whole.records, exported);
    const Reading reread = Read(exported.str(), pieceSize);
    FUZZ_CHECK(reread.faults.empty());
    FUZZ_CHECK(reread.records == whole.records);

    std::ostringstream guarded;
    csv::WriteDrugCsv(whole.records, guarded, csv::FormulaCells::Guarded);
    bool guardedWellFormed = false;
    for (const auto& record : ParseFields(guarded.str(), guardedWellFormed)) {
        for (const std::string& cell : record) {
            FUZZ_CHECK(cell.empty() ||
                       std::string_view("=+-@\t").find(cell[0]) == std::string_view::npos);
        }
    }
    FUZZ_CHECK(guardedWellFormed);
    const Reading unguarded = Read(guarded.str(), pieceSize, csv::FormulaCells::Guarded);
    FUZZ_CHECK(unguarded.faults.empty());
    FUZZ_CHECK(unguarded.records == whole.records);
    return 0;
}
