// A dictionary window without its frame: a document opened from a file that
// the test describes, with the result tree and the record text on it in the
// order the window makes them, and a log of the records the document made
// current.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/drug_results_model.h"
#include "document/zorvik_drug_doc.h"
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

class DrugViewsTest : public ::testing::Test {
protected:
    DrugViewsTest() {
        QObject::connect(&document, &CZorvikDrugDoc::currentChanged, &document,
                         [this](int index) { madeCurrent.push_back(index); });
        tree.resize(240, 400);
        text.resize(400, 400);
    }

    // Writes a dictionary of records (UTF-8 fields) and opens it: every
    // record in trade-name order, the first current.
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

    int TopLevelCount() const { return tree.model()->rowCount(); }
    QModelIndex Root() const { return tree.RootIndex(); }
    QModelIndex ResultItem(int row) const { return tree.model()->index(row, 0, Root()); }
    int ChildCount(const QModelIndex& item) const { return tree.model()->rowCount(item); }
    static QString Text(const QModelIndex& item) { return item.data().toString(); }
    // The result a tree item stands for.
    static int Parameter(const QModelIndex& item) { return DrugResultsModel::ResultOf(item); }

    QStringList Labels() const {
        QStringList labels;
        for (int row = 0; row < ChildCount(Root()); ++row) {
            labels << Text(ResultItem(row));
        }
        return labels;
    }

    // The 1-based record number behind the result item in row.
    std::uint32_t RecordOf(int row) const {
        return document.GetResultList().at(static_cast<std::size_t>(Parameter(ResultItem(row))));
    }

    void Click(const QModelIndex& item) {
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier,
                          tree.visualRect(item).center());
    }

    FakeUserInterface ui;
    QTemporaryDir folder;
    CZorvikDrugDoc document{ui};
    CZorvikDrugTreeView tree{document};
    CZorvikDrugView text{document};
    // Every result the document told its views of as current, in order.
    std::vector<int> madeCurrent;
};

}  // namespace quorbex::testing
