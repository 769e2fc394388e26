// A dictionary document opened the way the program opens one: through the
// document template, with a window that records what the document told it,
// its record commands, scripted user-interface services and a scripted drug
// entry dialog.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <deque>
#include <vector>

#include "document/record_commands.h"
#include "document/zorvik_drug_doc.h"
#include "platform/document_template.h"
#include "platform/framework_ids.h"
#include "platform/recent_file_list.h"
#include "resources/document_strings.h"
#include "resources/resource_ids.h"
#include "tests/support/command_id_printer.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/fake_window.h"
#include "tests/support/test_files.h"

namespace quorbex::testing {

// What a document tells its views, in order.
enum class Told { ResultsReset, ResultChanged, CurrentChanged };

// After an open, a search, an append and a delete: the results anew, then
// the current result.
inline const std::vector<Told> LISTED = {Told::ResultsReset, Told::CurrentChanged};
// After a modify: the current result's record rewritten, and shown anew.
inline const std::vector<Told> EDITED = {Told::ResultChanged, Told::CurrentChanged};

// Records the signals of a document, each with the current index that the
// document had when it sent it.
class SignalLog {
public:
    struct Signal {
        Told what;
        int index;    // the signal's own index
        int current;  // the document's current index meanwhile
    };

    void Attach(CZorvikDrugDoc& document) {
        QObject::connect(&document, &CZorvikDrugDoc::resultsReset, &document,
                         [this, &document] { Note(Told::ResultsReset, -1, document); });
        QObject::connect(
            &document, &CZorvikDrugDoc::resultChanged, &document,
            [this, &document](int index) { Note(Told::ResultChanged, index, document); });
        QObject::connect(
            &document, &CZorvikDrugDoc::currentChanged, &document,
            [this, &document](int index) { Note(Told::CurrentChanged, index, document); });
    }

    std::vector<Told> Kinds() const {
        std::vector<Told> kinds;
        for (const Signal& signal : sent) {
            kinds.push_back(signal.what);
        }
        return kinds;
    }

    std::vector<Signal> sent;

private:
    void Note(Told what, int index, CZorvikDrugDoc& document) {
        sent.push_back({what, index, document.GetCurrentIndex()});
    }
};

// Three drugs whose trade-name order is 2, 1, 3 and English-name order 3, 2, 1.
inline std::vector<DrugFields> ThreeDrugs() {
    return {
        GbkRecord("布洛芬", "BLF", "Ibuprofen", "芬必得", "解热镇痛", "口服,一次一片",
                  "胃溃疡慎用"),
        GbkRecord("阿司匹林", "ASPL", "Aspirin", "乙酰水杨酸", "解热镇痛,抗血小板", "口服,一日三次",
                  "出血倾向者禁用"),
        GbkRecord("对乙酰氨基酚", "DYXAJF", "Acetaminophen", "扑热息痛", "退热", "口服",
                  "肝病慎用"),
    };
}

// What a command may change, to show that it changed nothing.
struct DocumentState {
    ResultList results;
    int resultCount;
    int current;
    DrugFields strings;
    bool modified;
    std::vector<std::uint8_t> image;
    int searchMask;
    int sortKey;
    bool confirmDelete;
};

class DrugDocTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // Writes a dictionary of records to name and opens it.
    CZorvikDrugDoc* OpenDictionary(const std::vector<DrugFields>& records,
                                   const QString& name = QStringLiteral("drugs.zvk")) {
        WriteFileBytes(Path(name), DictionaryFileBytes(records));
        return OpenFile(Path(name));
    }
    // What the document tells is recorded from its open on.
    CZorvikDrugDoc* OpenFile(const QString& path) {
        told.sent.clear();
        doc = static_cast<CZorvikDrugDoc*>(docTemplate.OpenDocumentFile(path));
        return doc;
    }
    CZorvikDrugDoc* NewDictionary() { return OpenFile(QString()); }

    // A command of the document's window, as the main window's action for id
    // runs it.
    void Send(platform::CommandId id) {
        if (id == platform::ID_FILE_SAVE) {
            return doc->OnFileSave();
        }
        if (id == platform::ID_FILE_SAVE_AS) {
            return doc->OnFileSaveAs();
        }
        const std::pair<platform::CommandId, void (RecordCommands::*)()> handlers[] = {
            {ID_DRUG_APPEND, &RecordCommands::OnDrugAppend},
            {ID_DRUG_SEARCH, &RecordCommands::OnDrugSearch},
            {ID_DRUG_DELETE, &RecordCommands::OnDrugDelete},
            {ID_DRUG_MODIFY, &RecordCommands::OnDrugModify},
            {ID_DRUG_SAVE, &RecordCommands::OnDrugSave},
            {ID_CONFIRM_DELETE, &RecordCommands::OnConfirmDelete},
        };
        for (const auto& [command, handler] : handlers) {
            if (id == command) {
                return (Commands().*handler)();
            }
        }
        if (id == ID_SORT_BY_TRADE_NAME || id == ID_SORT_BY_ENGLISH_NAME ||
            id == ID_SORT_BY_PINYIN) {
            return Commands().OnSortKey(id);
        }
        ASSERT_GE(static_cast<unsigned>(id), static_cast<unsigned>(ID_SEARCH_TRADE_NAME));
        ASSERT_LE(static_cast<unsigned>(id), static_cast<unsigned>(ID_SEARCH_ALL));
        Commands().OnSearchField(id);
    }

    // The record commands of the open document's window.
    RecordCommands& Commands() {
        if (!commands || &commands->Document() != doc) {
            commands = std::make_unique<RecordCommands>(
                *doc, ui, [this]() -> std::unique_ptr<DrugEntryPrompt> {
                    if (nextEntry >= entryScripts.size()) {
                        ADD_FAILURE() << "an entry dialog was not expected";
                        NextEntry(QDialog::Rejected);
                    }
                    return std::make_unique<FakeDrugEntry>(entryScripts[nextEntry++]);
                });
        }
        return *commands;
    }

    // The next entry dialog answers answer, leaving edits in its fields.
    FakeDrugEntry::Script& NextEntry(QDialog::DialogCode answer,
                                     std::optional<DrugFields> edits = {}) {
        entryScripts.push_back({});
        entryScripts.back().answer = answer;
        entryScripts.back().edits = std::move(edits);
        return entryScripts.back();
    }
    int EntryDialogsMade() const { return static_cast<int>(nextEntry); }

    FakeWindow& Window() { return WindowOf(docTemplate, *doc); }
    // Forgets what the document told and what the user was shown.
    void ResetRecorders() {
        told.sent.clear();
        ui.messages.clear();
        ui.prompts.clear();
        ui.waitCursorShown = 0;
    }
    // The document told exactly these, in this order.
    void ExpectTold(const std::vector<Told>& expected) { EXPECT_EQ(told.Kinds(), expected); }
    void ExpectMessage(const char* text, const char* caption, QMessageBox::Icon icon,
                       QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.toStdString(), text);
        EXPECT_EQ(ui.messages[0].caption.toStdString(), caption);
        EXPECT_EQ(ui.messages[0].icon, icon);
        EXPECT_EQ(ui.messages[0].buttons, buttons);
    }

    DrugFields CurrentStrings() const { return doc->GetCurrentStrings(); }
    std::vector<DrugFields> StoredRecords() {
        std::vector<DrugFields> records;
        RecordStore& store = doc->GetStore();
        for (std::uint32_t n = 1; n <= store.GetCount(); ++n) {
            records.push_back(RecordFields(store, n));
        }
        return records;
    }
    DocumentState State() {
        int sortKey = 0;
        doc->GetSortKey(sortKey);
        return {doc->GetResultList(),   doc->GetResultCount(),
                doc->GetCurrentIndex(), CurrentStrings(),
                doc->IsModified(),      ImageBytes(doc->GetStore()),
                doc->GetSearchMask(),   sortKey,
                doc->GetConfirmDelete()};
    }
    void ExpectUnchanged(const DocumentState& before) {
        const DocumentState after = State();
        EXPECT_EQ(after.results, before.results);
        EXPECT_EQ(after.resultCount, before.resultCount);
        EXPECT_EQ(after.current, before.current);
        EXPECT_EQ(after.strings, before.strings);
        EXPECT_EQ(after.modified, before.modified);
        EXPECT_TRUE(after.image == before.image) << "the store's image changed";
        EXPECT_EQ(after.searchMask, before.searchMask);
        EXPECT_EQ(after.sortKey, before.sortKey);
        EXPECT_EQ(after.confirmDelete, before.confirmDelete);
    }

    QTemporaryDir dir;
    FakeUserInterface ui;
    std::deque<FakeDrugEntry::Script> entryScripts;
    std::size_t nextEntry = 0;
    platform::RecentFileList recentFiles{4};
    FakeWindowFactory windows;
    SignalLog told;
    platform::DocumentTemplate docTemplate{DrugDocumentStrings(), ui,
                                           [this] {
                                               auto document = std::make_unique<CZorvikDrugDoc>(ui);
                                               told.Attach(*document);
                                               return document;
                                           },
                                           windows.Factory(), &recentFiles};
    CZorvikDrugDoc* doc = nullptr;
    std::unique_ptr<RecordCommands> commands;
};

}  // namespace quorbex::testing
