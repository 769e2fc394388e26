// The merge conflict dialog, run through Settle: the drugs in conflict
// listed, the two versions side by side, a side taken at a click, a result
// edited, a deleted drug kept or let go, and a result refused for a
// character the dictionary cannot hold.
#include "dialogs/merge_conflict_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "store/record_merge.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/gbk_text.h"
#include "tests/support/modal_dialog.h"

namespace quorbex::testing {
namespace {

RecordBytes BytesOf(const DrugFields& drug) {
    RecordStore store;
    DrugFields fields = drug;
    ExchangeFields(store, fields, false);
    return store.GetRecordBuffer();
}

DrugFields Drug(const char* tradeName, const char* usage, const char* cautions) {
    return GbkRecord(tradeName, "", "", "", "", usage, cautions);
}

// Alpha's usage and cautions changed differently on both sides; Beta changed
// here and deleted there.
RecordMerge TwoConflicts() {
    const std::vector<RecordBytes> base = {BytesOf(Drug("阿尔法", "base", "base")),
                                           BytesOf(Drug("贝塔", "base", ""))};
    const std::vector<RecordBytes> ours = {BytesOf(Drug("阿尔法", "mine", "mine")),
                                           BytesOf(Drug("贝塔", "mine", ""))};
    const std::vector<RecordBytes> theirs = {BytesOf(Drug("阿尔法", "theirs", "theirs"))};
    return MergeRecords(base, ours, theirs);
}

class MergeConflictDialogTest : public ::testing::Test {
protected:
    std::optional<std::vector<ConflictResolution>> Settle(
        const RecordMerge& merge, const std::function<void(MergeConflictDialog&)>& whileOpen) {
        MergeConflictDialog dialog(ui);
        return WhileModal<MergeConflictDialog>(whileOpen,
                                               [&] { return dialog.Settle(merge.conflicts); });
    }

    FakeUserInterface ui;
};

TEST_F(MergeConflictDialogTest, TakesASideEditsAResultAndKeepsOrDropsADeletedDrug) {
    const RecordMerge merge = TwoConflicts();
    ASSERT_EQ(merge.conflicts.size(), 2U);
    const auto settled = Settle(merge, [](MergeConflictDialog& dialog) {
        ASSERT_EQ(dialog.DrugList()->count(), 2);
        EXPECT_EQ(dialog.DrugList()->item(0)->text(), QStringLiteral("阿尔法"));
        EXPECT_EQ(dialog.DrugList()->item(1)->text(), QStringLiteral("贝塔"));
        // Mine to start with; fields not in conflict have no result.
        QLineEdit* usage = dialog.ResultBox(0, Field::Usage);
        ASSERT_NE(usage, nullptr);
        EXPECT_EQ(usage->text(), QStringLiteral("mine"));
        EXPECT_EQ(dialog.ResultBox(0, Field::TradeName), nullptr);

        QTest::mouseClick(dialog.TakeTheirsButton(0, Field::Usage), Qt::LeftButton);
        EXPECT_EQ(usage->text(), QStringLiteral("theirs"));
        QLineEdit* cautions = dialog.ResultBox(0, Field::Cautions);
        cautions->clear();
        QTest::keyClicks(cautions, QStringLiteral("both"));

        dialog.DrugList()->setCurrentRow(1);
        QCheckBox* keep = dialog.KeepBox(1);
        ASSERT_NE(keep, nullptr);
        EXPECT_TRUE(keep->isChecked()) << "mine kept it";
        EXPECT_EQ(dialog.TakeTheirsButton(1, Field::Usage), nullptr) << "one version only";
        keep->setFocus();
        QTest::keyClick(keep, Qt::Key_Space);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(settled);
    const std::vector<RecordBytes> result = Resolve(merge, *settled);
    ASSERT_EQ(result.size(), 1U);
    EXPECT_EQ(FieldText(result[0], Field::Usage), "theirs");
    EXPECT_EQ(FieldText(result[0], Field::Cautions), "both");
}

TEST_F(MergeConflictDialogTest, CancelSettlesNothingAndAnUnencodableResultIsRefused) {
    const RecordMerge merge = TwoConflicts();
    EXPECT_FALSE(Settle(merge, [](MergeConflictDialog& dialog) { dialog.reject(); }));

    const auto settled = Settle(merge, [this](MergeConflictDialog& dialog) {
        QLineEdit* usage = dialog.ResultBox(0, Field::Usage);
        usage->setText(QStringLiteral("\U0001F600"));
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << "still open to correct it";
        EXPECT_EQ(ui.messages.size(), 1U);
        QTest::mouseClick(dialog.TakeMineButton(0, Field::Usage), Qt::LeftButton);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(settled);
    EXPECT_EQ(Resolve(merge, *settled), Resolve(merge, Side::Ours));
}

}  // namespace
}  // namespace quorbex::testing
