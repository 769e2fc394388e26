// A dictionary window without its frame: a document opened from a file that
// the test describes, with the result tree and the record text attached in
// the order the window creates them, and a view that logs the updates the
// other two send.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/update_hints.h"
#include "document/zorvik_drug_doc.h"
#include "platform/view.h"
#include "resources/resource_ids.h"
#include "store/drug_fields.h"
#include "store/gbk_codec.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/gbk_text.h"
#include "tests/support/memory_file.h"
#include "views/zorvik_drug_tree_view.h"
#include "views/zorvik_drug_view.h"

namespace quorbex::testing {

// A record as a test writes it: UTF-8 texts, empty unless given.
struct Drug {
    std::string tradeName = {};
    std::string pinyinInitials = {};
    std::string englishName = {};
    std::string otherNames = {};
    std::string function = {};
    std::string usage = {};
    std::string cautions = {};
};

// The record with every field of utf8 in GBK.
inline DrugFields Gbk(const Drug& utf8) {
    return {Gbk(utf8.tradeName),  Gbk(utf8.pinyinInitials), Gbk(utf8.englishName),
            Gbk(utf8.otherNames), Gbk(utf8.function),       Gbk(utf8.usage),
            Gbk(utf8.cautions)};
}

// Remembers every update it receives, with the document's current index at
// that moment.
class UpdateLog : public platform::View {
public:
    struct Update {
        platform::View* sender;
        int hint;
        int currentIndex;
    };

    void OnUpdate(platform::View* sender, int hint) override {
        auto* document = dynamic_cast<CZorvikDrugDoc*>(GetDocument());
        updates.push_back({sender, hint, document != nullptr ? document->GetCurrentIndex() : -2});
    }

    std::vector<Update> updates;
};

class DrugViewsTest : public ::testing::Test {
protected:
    DrugViewsTest() {
        tree.AttachDocument(document);
        text.AttachDocument(document);
        log.AttachDocument(document);
        tree.resize(240, 400);
        text.resize(400, 400);
    }

    // Writes a dictionary of records (UTF-8 fields) and opens it: every
    // record in trade-name order, the first current, hint 7 to the views.
    void Open(const std::vector<Drug>& records) {
        std::vector<DrugFields> gbk;
        for (const Drug& record : records) {
            gbk.push_back(Gbk(record));
        }
        RecordStore store;
        AppendAll(store, gbk);
        MemoryFile file;
        ASSERT_TRUE(store.SaveToFile(&file));
        ASSERT_TRUE(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("drugs.zvk"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<qint64>(file.bytes.size()));
        out.close();
        ASSERT_TRUE(document.OnOpenDocument(path));
    }

    // Shows the tree on the screen, so that it can be clicked.
    void ShowTree() {
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }

    QTreeWidgetItem* Root() const { return tree.topLevelItem(0); }
    QTreeWidgetItem* ResultItem(int row) const { return Root()->child(row); }
    static int Parameter(const QTreeWidgetItem* item) {
        return item->data(0, Qt::UserRole).toInt();
    }

    QStringList Labels() const {
        QStringList labels;
        for (int row = 0; row < Root()->childCount(); ++row) {
            labels << ResultItem(row)->text(0);
        }
        return labels;
    }

    // The 1-based record number behind the result item in row.
    std::uint32_t RecordOf(int row) const {
        return document.GetResultList().at(static_cast<std::size_t>(Parameter(ResultItem(row))));
    }

    void Click(QTreeWidgetItem* item) {
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier,
                          tree.visualItemRect(item).center());
    }

    // The updates the tree sent to the other views.
    std::vector<UpdateLog::Update> SentByTree() const {
        std::vector<UpdateLog::Update> sent;
        for (const UpdateLog::Update& update : log.updates) {
            if (update.sender == &tree) {
                sent.push_back(update);
            }
        }
        return sent;
    }

    QString RecordsPane() const {
        const auto pane = ui.statusPanes.find(ID_INDICATOR_RECORDS);
        return pane == ui.statusPanes.end() ? QString() : pane->second;
    }

    FakeUserInterface ui;
    FakeDrugEntry::Script entry;
    QTemporaryDir folder;
    CZorvikDrugDoc document{ui, [this] { return std::make_unique<FakeDrugEntry>(entry); }};
    CZorvikDrugTreeView tree;
    CZorvikDrugView text;
    UpdateLog log;
};

}  // namespace quorbex::testing
