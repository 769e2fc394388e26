// A dictionary document opened the way the program opens one: through the
// document template, with a window of two recording views, scripted
// user-interface services and a scripted drug entry dialog.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <deque>
#include <vector>

#include "document/update_hints.h"
#include "document/zorvik_drug_doc.h"
#include "platform/document_template.h"
#include "platform/framework_ids.h"
#include "platform/recent_file_list.h"
#include "resources/document_strings.h"
#include "resources/resource_ids.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/fake_frame.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/test_files.h"

namespace quorbex::testing {

inline constexpr int HINT_CHANGED = HINT_TEXT | HINT_SELECT | HINT_REBUILD;  // 7
inline constexpr int HINT_EDITED = HINT_TEXT | HINT_RELABEL;                 // 9

// The seven fields of a record, in the order of DrugFields: trade name,
// pinyin, English name, other names, function, usage, cautions.
inline DrugFields Drug(const char* tradeName, const char* pinyin, const char* englishName,
                       const char* otherNames = "", const char* function = "",
                       const char* usage = "", const char* cautions = "") {
    DrugFields fields;
    fields.tradeName = Gbk(tradeName);
    fields.pinyinInitials = Gbk(pinyin);
    fields.englishName = Gbk(englishName);
    fields.otherNames = Gbk(otherNames);
    fields.function = Gbk(function);
    fields.usage = Gbk(usage);
    fields.cautions = Gbk(cautions);
    return fields;
}

// Three drugs whose trade-name order is 2, 1, 3 and English-name order 3, 2, 1.
inline std::vector<DrugFields> ThreeDrugs() {
    return {
        Drug("布洛芬", "BLF", "Ibuprofen", "芬必得", "解热镇痛", "口服,一次一片", "胃溃疡慎用"),
        Drug("阿司匹林", "ASPL", "Aspirin", "乙酰水杨酸", "解热镇痛,抗血小板", "口服,一日三次",
             "出血倾向者禁用"),
        Drug("对乙酰氨基酚", "DYXAJF", "Acetaminophen", "扑热息痛", "退热", "口服", "肝病慎用"),
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
    CZorvikDrugDoc* OpenFile(const QString& path) {
        doc = dynamic_cast<CZorvikDrugDoc*>(docTemplate.OpenDocumentFile(path));
        return doc;
    }
    CZorvikDrugDoc* NewDictionary() { return OpenFile(QString()); }

    // A command of the document, as the main window's action for id runs it.
    void Send(unsigned id) {
        switch (id) {
            case platform::ID_FILE_SAVE:
                return doc->OnFileSave();
            case platform::ID_FILE_SAVE_AS:
                return doc->OnFileSaveAs();
            case ID_DRUG_APPEND:
                return doc->OnDrugAppend();
            case ID_DRUG_SEARCH:
                return doc->OnDrugSearch();
            case ID_DRUG_DELETE:
                return doc->OnDrugDelete();
            case ID_DRUG_MODIFY:
                return doc->OnDrugModify();
            case ID_DRUG_SAVE:
                return doc->OnDrugSave();
            case ID_CONFIRM_DELETE:
                return doc->OnConfirmDelete();
            case ID_SORT_BY_TRADE_NAME:
            case ID_SORT_BY_ENGLISH_NAME:
            case ID_SORT_BY_PINYIN:
                return doc->OnSortKey(id);
            default:
                ASSERT_GE(id, ID_SEARCH_TRADE_NAME);
                ASSERT_LE(id, ID_SEARCH_ALL);
                return doc->OnSearchField(id);
        }
    }

    // The next entry dialog answers answer, leaving edits in its fields.
    FakeDrugEntry::Script& NextEntry(int answer, std::optional<DrugFields> edits = {}) {
        entryScripts.push_back({});
        entryScripts.back().answer = answer;
        entryScripts.back().edits = std::move(edits);
        return entryScripts.back();
    }
    int EntryDialogsMade() const { return static_cast<int>(nextEntry); }

    FakeFrame& Frame() { return FrameOf(docTemplate, *doc); }
    // Forgets what the views received and what the user was shown.
    void ResetRecorders() {
        for (const auto& view : Frame().views) {
            view->updates.clear();
        }
        ui.messages.clear();
        ui.prompts.clear();
        ui.menus.clear();
        ui.waitCursorShown = 0;
    }
    // Every view received exactly these hints, each without a sender.
    void ExpectHints(const std::vector<int>& hints) {
        for (const auto& view : Frame().views) {
            EXPECT_EQ(view->Hints(), hints);
            for (const RecordingView::Update& update : view->updates) {
                EXPECT_EQ(update.sender, nullptr);
            }
        }
    }
    void ExpectMessage(const char* text, const char* caption, unsigned style) {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.toStdString(), text);
        EXPECT_EQ(ui.messages[0].caption.toStdString(), caption);
        EXPECT_EQ(ui.messages[0].style, style);
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
    FakeFrameFactory frames;
    platform::DocumentTemplate docTemplate{
        DrugDocumentStrings(), ui,
        [this] {
            return std::make_unique<CZorvikDrugDoc>(
                ui, [this]() -> std::unique_ptr<DrugEntryPrompt> {
                    if (nextEntry >= entryScripts.size()) {
                        ADD_FAILURE() << "an entry dialog was not expected";
                        NextEntry(platform::IDCANCEL);
                    }
                    return std::make_unique<FakeDrugEntry>(entryScripts[nextEntry++]);
                });
        },
        frames.Factory(), &recentFiles};
    CZorvikDrugDoc* doc = nullptr;
};

}  // namespace quorbex::testing
