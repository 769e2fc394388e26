// Speed of rebuilding the result tree of a full dictionary: a generated
// 2000-record file is opened in a document with the result tree and the
// record text on it, and what the views do when a new result list is shown
// is timed: the tree takes the new list with the current result selected
// and repaints, and the record text shows the current record.
//
// Beside it, as a reference measured in the same run, the document's own
// listing without any view: every record found by the empty pattern and
// ordered, the first made current. The ratio of the two is printed after the
// run.
//
// And what a colleague's save costs the window of a dictionary with nothing
// unsaved: the file's bytes taken in by the document, the last search run
// again with the current drug kept, and both views told.
//
// Run by hand: ./build-bench/bench/tree_bench (Google Benchmark flags apply).
// It uses the offscreen platform unless QT_QPA_PLATFORM names another.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "document/zorvik_drug_doc.h"
#include "platform/user_interface.h"
#include "store/dictionary_format.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/memory_file.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace {

using quorbex::CZorvikDrugDoc;
using quorbex::CZorvikDrugTreeView;
using quorbex::CZorvikDrugView;
using quorbex::DrugFields;

// A full dictionary: the store's record limit.
constexpr int FULL = static_cast<int>(quorbex::DICT_MAX_RECORDS);

// Nothing to ask: the benchmark never shows a message or a dialog.
class SilentUserInterface : public quorbex::platform::UserInterface {
public:
    bool InputText(const QString&, std::string&, int) override { return false; }
    int Choose(const QString&, QMessageBox::Icon, const QStringList&, int,
               int escapeChoice) override {
        return escapeChoice;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<QString> PromptSaveFileName(const QString&, const QString&) override {
        return std::nullopt;
    }

protected:
    QMessageBox::StandardButton ShowMessageBox(const QString&, const QString&, QMessageBox::Icon,
                                               QMessageBox::StandardButtons) override {
        return QMessageBox::Ok;
    }
};

std::string Gbk(const std::string& utf8) {
    return quorbex::Utf8ToGbk(utf8).value_or(std::string());
}

// Drug-like records with distinct names of realistic lengths: Chinese trade
// names of three to six characters, English names, and a few lines of text.
std::vector<DrugFields> GenerateRecords(int count) {
    static const char* const characters[] = {"阿", "莫", "西", "林", "头", "孢", "克", "洛",
                                             "布", "芬", "对", "乙", "酰", "氨", "基", "酚",
                                             "甲", "硝", "唑", "左", "氧", "氟", "沙", "星"};
    static const char* const stems[] = {"Amoxi", "Cefa",  "Azithro", "Levo",  "Ome",
                                        "Nife",  "Capto", "Metfor",  "Simva", "Ibupro"};
    constexpr int characterCount = static_cast<int>(std::size(characters));
    std::vector<DrugFields> records;
    for (int i = 0; i < count; ++i) {
        DrugFields record;
        std::string tradeName;
        for (int n = i, length = 3 + i % 4; length > 0; --length, n /= characterCount) {
            tradeName += characters[(n + length) % characterCount];
        }
        record.tradeName = Gbk(tradeName + "片");
        record.englishName = stems[i % std::size(stems)] + std::to_string(i);
        record.pinyinInitials = "YP" + std::to_string(i);
        record.usage = Gbk("口服,一次一片,\r\n一日三次。");
        record.function = Gbk("解热镇痛。");
        records.push_back(record);
    }
    return records;
}

// A full dictionary opened in a document whose window shows both views.
class OpenDictionary {
public:
    OpenDictionary() : m_document(m_ui), m_tree(m_document), m_text(m_document) {
        quorbex::RecordStore store;
        quorbex::testing::AppendAll(store, GenerateRecords(FULL));
        quorbex::testing::MemoryFile file;
        store.SaveToFile(&file);
        m_path = m_folder.filePath(QStringLiteral("full.zvk"));
        const QString& path = m_path;
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<qint64>(file.bytes.size()));
            out.close();
        }
        m_tree.resize(240, 600);
        m_text.resize(480, 600);
        m_tree.show();
        m_text.show();
        m_opened = m_document.OnOpenDocument(path);
        QApplication::processEvents();
    }

    // Whether the file opened and the tree lists every record.
    bool Ready() const {
        return m_opened && m_document.GetResultCount() == FULL &&
               m_tree.model()->rowCount(m_tree.RootIndex()) == FULL;
    }

    CZorvikDrugDoc& Document() { return m_document; }
    CZorvikDrugTreeView& Tree() { return m_tree; }
    const QString& Path() const { return m_path; }

private:
    SilentUserInterface m_ui;
    QTemporaryDir m_folder;
    QString m_path;
    CZorvikDrugDoc m_document;
    CZorvikDrugTreeView m_tree;
    CZorvikDrugView m_text;
    bool m_opened = false;
};

// What the views do after a listing: the document tells them that the
// results are new and which is current, and the tree repaints.
void BM_TreeRebuild(benchmark::State& state) {
    OpenDictionary dictionary;
    if (!dictionary.Ready()) {
        state.SkipWithError("the dictionary did not open with every record in the tree");
        return;
    }
    CZorvikDrugDoc& document = dictionary.Document();
    for (auto _ : state) {
        emit document.resultsReset();
        emit document.currentChanged(document.GetCurrentIndex());
        dictionary.Tree().viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * FULL);
}
BENCHMARK(BM_TreeRebuild)->Unit(benchmark::kMillisecond);

// The reference: the document's listing, with no view told of it.
void BM_DocumentListing(benchmark::State& state) {
    OpenDictionary dictionary;
    if (!dictionary.Ready()) {
        state.SkipWithError("the dictionary did not open with every record in the tree");
        return;
    }
    CZorvikDrugDoc& document = dictionary.Document();
    const QSignalBlocker quiet(document);
    for (auto _ : state) {
        document.RunQuery(std::string(), -1, quorbex::SORT_BY_TRADE_NAME);
        document.SelectFirst();
        benchmark::DoNotOptimize(document.GetCurrentStrings().tradeName.data());
    }
    state.SetItemsProcessed(state.iterations() * FULL);
}
BENCHMARK(BM_DocumentListing)->Unit(benchmark::kMillisecond);

// A save by someone else taken in: the bytes loaded, the search run again
// with the current drug kept, the views told and the tree repainted.
void BM_ReloadFromDisk(benchmark::State& state) {
    OpenDictionary dictionary;
    if (!dictionary.Ready()) {
        state.SkipWithError("the dictionary did not open with every record in the tree");
        return;
    }
    QFile file(dictionary.Path());
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the dictionary cannot be read back");
        return;
    }
    const QByteArray bytes = file.readAll();
    CZorvikDrugDoc& document = dictionary.Document();
    document.SelectResult(FULL / 2);
    for (auto _ : state) {
        if (!document.Reload(bytes)) {
            state.SkipWithError("the reload was refused");
            return;
        }
        dictionary.Tree().viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * FULL);
}
BENCHMARK(BM_ReloadFromDisk)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return EXIT_FAILURE;
    }

    quorbex::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double rebuild = reporter.SecondsPerIteration("BM_TreeRebuild");
    const double reference = reporter.SecondsPerIteration("BM_DocumentListing");
    if (rebuild > 0 && reference > 0) {
        std::printf(
            "\nRebuilding the tree of %d results: %.2f ms; reference (the document's own "
            "listing of them, no view told): %.2f ms; rebuild / reference = %.1f\n",
            FULL, rebuild * 1e3, reference * 1e3, rebuild / reference);
    }
    return EXIT_SUCCESS;
}
