// The dictionary document's open path, through the document template and
// the platform's file services, with a scripted user interface. The input is
// the file. It opens exactly when the store loads it into a new dictionary,
// and then lists every record ordered by trade name, the first current,
// without a message; saved under another name it gives back its own bytes.
// Otherwise the user is told it is no dictionary and no document is left.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "document/zorvik_drug_doc.h"
#include "fuzz/dictionary_model.h"
#include "fuzz/fuzz_check.h"
#include "platform/document_template.h"
#include "platform/recent_file_list.h"
#include "resources/document_strings.h"
#include "store/cp936.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/fake_window.h"

namespace quorbex::fuzz {
namespace {

QByteArray ReadWhole(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteWhole(const QString& path, const std::uint8_t* bytes, std::size_t size) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
}

void OpenThenSaveAs(const std::uint8_t* bytes, std::size_t size) {
    static QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("input.zvk"));
    const QString savedPath = QDir(folder.path()).filePath(QStringLiteral("saved.zvk"));
    WriteWhole(path, bytes, size);
    const std::string fileBytes(reinterpret_cast<const char*>(bytes), size);
    const std::optional<std::vector<DrugFields>> expected = OpenedRecords(fileBytes);

    testing::FakeUserInterface ui;
    testing::FakeWindowFactory windows;
    platform::RecentFileList recentFiles(4);
    // What the document told its views: each listing is a reset of the
    // results, then the current result.
    std::vector<int> told;
    platform::DocumentTemplate docTemplate(
        DrugDocumentStrings(), ui,
        [&ui, &told] {
            auto document = std::make_unique<CZorvikDrugDoc>(ui);
            QObject::connect(document.get(), &CZorvikDrugDoc::resultsReset,
                             [&told] { told.push_back(-2); });
            QObject::connect(document.get(), &CZorvikDrugDoc::currentChanged,
                             [&told](int index) { told.push_back(index); });
            return document;
        },
        windows.Factory(), &recentFiles);
    auto* doc = static_cast<CZorvikDrugDoc*>(docTemplate.OpenDocumentFile(path));

    if (!expected) {
        FUZZ_CHECK(doc == nullptr);
        FUZZ_CHECK(docTemplate.GetDocuments().empty());
        FUZZ_CHECK(ui.messages.size() == 1);
        FUZZ_CHECK(ui.messages[0].text == QStringLiteral("此文件不是有效药物库文件,可能已被破坏"));
        FUZZ_CHECK(ui.messages[0].caption == QStringLiteral("文件打开错误..."));
        FUZZ_CHECK(ui.messages[0].icon == QMessageBox::Critical);
        return;
    }

    FUZZ_CHECK(doc != nullptr);
    FUZZ_CHECK(ui.messages.empty());
    FUZZ_CHECK(!doc->IsModified());
    const int count = static_cast<int>(expected->size());
    FUZZ_CHECK(doc->GetRecordCount() == count);
    FUZZ_CHECK(doc->GetResultCount() == count);
    FUZZ_CHECK(doc->GetCurrentIndex() == (count > 0 ? 0 : -1));
    // Every record once, in trade-name order.
    const ResultList& results = doc->GetResultList();
    std::vector<bool> listed(expected->size(), false);
    for (std::size_t i = 0; i < results.size(); ++i) {
        FUZZ_CHECK(results[i] >= 1 && results[i] <= expected->size() && !listed[results[i] - 1]);
        listed[results[i] - 1] = true;
        if (i > 0) {
            FUZZ_CHECK(cp936::CompareNames((*expected)[results[i - 1] - 1].tradeName,
                                           (*expected)[results[i] - 1].tradeName) <= 0);
        }
    }
    if (count > 0) {
        FUZZ_CHECK(doc->GetCurrentStrings() == (*expected)[results[0] - 1]);
    }
    FUZZ_CHECK(told == (std::vector<int>{-2, doc->GetCurrentIndex()}));

    // The image is the file's bytes, the header at least 128 bytes long.
    FUZZ_CHECK(doc->DoSave(savedPath));
    FUZZ_CHECK(ui.messages.empty());
    const QByteArray saved = ReadWhole(savedPath);
    FUZZ_CHECK(static_cast<std::size_t>(saved.size()) ==
               std::max<std::size_t>(size, DICT_HEADER_SIZE));
    FUZZ_CHECK(std::string_view(saved.constData(), size) == fileBytes);
    FUZZ_CHECK(OpenedRecords(std::string(saved.constData(), saved.size())) == expected);
    docTemplate.CloseAllDocuments();
}

}  // namespace
}  // namespace quorbex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    quorbex::fuzz::OpenThenSaveAs(bytes, size);
    return 0;
}
