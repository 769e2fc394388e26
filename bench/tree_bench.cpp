// Speed of rebuilding the result tree of a full dictionary: a generated
// 2000-record file is opened in a document with the result tree and the
// record text attached, and the update that follows an open or a search
// (rebuild, select, render) is timed.
//
// The rebuild is also timed against a reference: the document's own share of
// it, making every result current in turn and reading its strings, as the
// rebuild does. The ratio of the two times is printed after the run; it is
// what the tree itself costs per record read.
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
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "document/update_hints.h"
#include "document/zorvik_drug_doc.h"
#include "platform/message_box.h"
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
constexpr int HINT_OPENED = quorbex::HINT_TEXT | quorbex::HINT_SELECT | quorbex::HINT_REBUILD;

// A status bar and nothing else: the rebuild writes its counts here.
class StatusOnlyUserInterface : public quorbex::platform::UserInterface {
public:
    int MessageBox(const QString&, const QString&, unsigned) override {
        return quorbex::platform::IDOK;
    }
    int InputText(const QString&, std::string&, int) override {
        return quorbex::platform::IDCANCEL;
    }
    void TrackPopupMenu(std::span<const unsigned>, QPoint) override {}
    std::optional<QRect> ToolBarButtonRect(unsigned, unsigned) override { return std::nullopt; }
    bool SetStatusPaneText(unsigned, const QString& text) override {
        statusText = text;
        return true;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::optional<QString> PromptSaveFileName(const QString&, const QString&) override {
        return std::nullopt;
    }

    QString statusText;
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
    OpenDictionary()
        : m_document(m_ui, [] { return std::unique_ptr<quorbex::DrugEntryPrompt>(); }) {
        quorbex::RecordStore store;
        quorbex::testing::AppendAll(store, GenerateRecords(FULL));
        quorbex::testing::MemoryFile file;
        store.SaveToFile(&file);
        const QString path = m_folder.filePath(QStringLiteral("full.zvk"));
        QFile out(path);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(reinterpret_cast<const char*>(file.bytes.data()),
                      static_cast<qint64>(file.bytes.size()));
            out.close();
        }
        m_tree.AttachDocument(m_document);
        m_text.AttachDocument(m_document);
        m_tree.resize(240, 600);
        m_text.resize(480, 600);
        m_tree.show();
        m_text.show();
        m_opened = m_document.OnOpenDocument(path);
        QApplication::processEvents();
    }

    // Whether the file opened and the tree lists every record.
    bool Ready() const {
        return m_opened && m_document.GetResultCount() == FULL && m_tree.topLevelItemCount() == 1 &&
               m_tree.topLevelItem(0)->childCount() == FULL;
    }

    CZorvikDrugDoc& Document() { return m_document; }

private:
    StatusOnlyUserInterface m_ui;
    QTemporaryDir m_folder;
    CZorvikDrugDoc m_document;
    CZorvikDrugTreeView m_tree;
    CZorvikDrugView m_text;
    bool m_opened = false;
};

void BM_TreeRebuild(benchmark::State& state) {
    OpenDictionary dictionary;
    if (!dictionary.Ready()) {
        state.SkipWithError("the dictionary did not open with every record in the tree");
        return;
    }
    for (auto _ : state) {
        dictionary.Document().UpdateAllViews(nullptr, HINT_OPENED);
    }
    state.SetItemsProcessed(state.iterations() * FULL);
}
BENCHMARK(BM_TreeRebuild)->Unit(benchmark::kMillisecond);

// The reference: what the rebuild asks of the document, without the tree.
void BM_DocumentWalk(benchmark::State& state) {
    OpenDictionary dictionary;
    if (!dictionary.Ready()) {
        state.SkipWithError("the dictionary did not open with every record in the tree");
        return;
    }
    CZorvikDrugDoc& document = dictionary.Document();
    for (auto _ : state) {
        const int saved = document.GetCurrentIndex();
        const QSignalBlocker quiet(document);
        for (int i = 0; i < document.GetResultCount(); ++i) {
            document.SelectResult(i);
            const quorbex::DrugFields& fields = document.GetCurrentStrings();
            int sortKey = 0;
            document.GetSortKey(sortKey);
            benchmark::DoNotOptimize(fields.tradeName.data());
            benchmark::DoNotOptimize(fields.englishName.data());
        }
        document.SelectResult(saved);
    }
    state.SetItemsProcessed(state.iterations() * FULL);
}
BENCHMARK(BM_DocumentWalk)->Unit(benchmark::kMillisecond);

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
    const double reference = reporter.SecondsPerIteration("BM_DocumentWalk");
    if (rebuild > 0 && reference > 0) {
        std::printf(
            "\nRebuilding the tree of %d results: %.2f ms; reference (the document's share: "
            "every result made current and read): %.2f ms; rebuild / reference = %.1f\n",
            FULL, rebuild * 1e3, reference * 1e3, rebuild / reference);
    }
    return EXIT_SUCCESS;
}
