// The document's own operations, as the commands and the views call them.
#include <QFile>
#include <QSignalSpy>

#include "tests/document/drug_doc_fixture.h"

namespace quorbex::testing {
namespace {

using DrugDocOperations = DrugDocTest;

TEST_F(DrugDocOperations, RunQueryAloneMakesTheLastResultCurrent) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    EXPECT_TRUE(doc->RunQuery("", 0xFF, SORT_BY_ENGLISH_NAME));
    EXPECT_EQ(doc->GetResultList(), (ResultList{3, 2, 1}));
    EXPECT_EQ(doc->GetCurrentIndex(), 2);
    EXPECT_EQ(CurrentStrings(), drugs[0]);
    EXPECT_TRUE(doc->SelectFirst());
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[2]);

    // Nothing found: no current result, the strings as they were.
    EXPECT_FALSE(doc->RunQuery("nothing like it", 0xFF, 0));
    EXPECT_EQ(doc->GetResultCount(), 0);
    EXPECT_EQ(doc->GetCurrentIndex(), -1);
    EXPECT_EQ(CurrentStrings(), drugs[2]);
    EXPECT_FALSE(doc->SelectFirst());
    EXPECT_EQ(doc->GetCurrentIndex(), -1);
}

TEST_F(DrugDocOperations, QuickSearchListsItsHitsKeepsItsQueryAndOffersSuggestions) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ResetRecorders();
    EXPECT_EQ(doc->QuickSearch("aspl"), QuickStatus::Found);
    ExpectTold(LISTED);
    EXPECT_EQ(doc->GetResultList(), ResultList{2});
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_TRUE(doc->IsQuickSearch());
    EXPECT_EQ(doc->GetSearchPattern(), "aspl");

    // Blank: every record, as the empty pattern lists them, and the query
    // as typed, which the box shows.
    EXPECT_EQ(doc->QuickSearch("   "), QuickStatus::Blank);
    EXPECT_EQ(doc->GetResultCount(), 3);
    EXPECT_EQ(doc->GetSearchPattern(), "   ");

    // A typo: nothing current, a suggestion, which lasts until records come
    // or go.
    EXPECT_EQ(doc->QuickSearch("ibuprofn"), QuickStatus::NotFound);
    EXPECT_EQ(doc->GetCurrentIndex(), -1);
    EXPECT_EQ(doc->GetSuggestions(), std::vector<std::uint32_t>{1});
    EXPECT_TRUE(doc->TakeSuggestion(0));
    EXPECT_EQ(doc->GetSearchPattern(), Gbk("布洛芬"));
    EXPECT_EQ(doc->GetCurrentNumber(), 1u);
    EXPECT_FALSE(doc->TakeSuggestion(0));
    doc->QuickSearch("ibuprofn");
    ASSERT_TRUE(doc->AppendDrug(GbkRecord("布地奈德", "BDND", "Budesonide")));
    EXPECT_TRUE(doc->GetSuggestions().empty());

    // The exact search is no quick search any more.
    doc->Search(Gbk("阿司"));
    EXPECT_FALSE(doc->IsQuickSearch());
}

// The file read again after a change on disk: the last search runs again
// with its own rules, here the quick search's full pinyin, which the exact
// search would not find.
TEST_F(DrugDocOperations, AReloadRunsTheLastQuickSearchAgainByItsOwnRules) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ASSERT_EQ(doc->QuickSearch("sipi"), QuickStatus::Found);
    ASSERT_EQ(doc->GetResultList(), ResultList{2});
    QFile file(doc->GetPathName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(doc->Reload(file.readAll()));
    EXPECT_TRUE(doc->IsQuickSearch());
    EXPECT_EQ(doc->GetResultList(), ResultList{2});
    EXPECT_EQ(doc->GetCurrentNumber(), 2u);
}

TEST_F(DrugDocOperations, ShowRecordSelectsAResultOrListsTheRecordAlone) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    doc->QuickSearch("a");  // 阿司匹林 and 对乙酰氨基酚
    ASSERT_EQ(doc->GetResultCount(), 2);
    EXPECT_TRUE(doc->ShowRecord(3));
    EXPECT_EQ(doc->GetResultCount(), 2);
    EXPECT_EQ(doc->GetCurrentNumber(), 3u);
    EXPECT_TRUE(doc->ShowRecord(1));
    EXPECT_EQ(doc->GetResultList(), ResultList{1});
    EXPECT_EQ(doc->GetSearchPattern(), "a");
    for (const std::uint32_t number : {0u, 4u}) {
        EXPECT_FALSE(doc->ShowRecord(number));
    }
    EXPECT_EQ(doc->GetCurrentNumber(), 1u);
}

TEST_F(DrugDocOperations, OperationsOnAnIndexOutsideTheListChangeNothing) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ASSERT_TRUE(doc->SelectResult(1));
    ResetRecorders();
    const DocumentState before = State();
    for (const int index : {-1, 3, 100}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(doc->SelectResult(index));
        doc->DeleteResult(index);
        ExpectUnchanged(before);
    }
    ExpectTold({});
    EXPECT_EQ(doc->GetRecordCount(), 3);
}

TEST_F(DrugDocOperations, UpdateWithoutACurrentResultWritesNothing) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ASSERT_FALSE(doc->RunQuery("nothing like it", 0xFF, 0));
    const DocumentState before = State();
    doc->UpdateCurrentRecord();
    ExpectUnchanged(before);
}

// What the main window's commands follow: each change of the results, the
// current result and the modified flag is signalled, and nothing else is.
TEST_F(DrugDocOperations, SignalsTellWhenTheResultsTheCurrentOneAndTheFlagChange) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    QSignalSpy results(doc, &CZorvikDrugDoc::resultsReset);
    QSignalSpy current(doc, &CZorvikDrugDoc::currentChanged);
    QSignalSpy modified(doc, &platform::Document::modifiedChanged);
    QSignalSpy options(doc, &CZorvikDrugDoc::optionsChanged);
    const auto expectSignals = [&](bool resultsSent, std::optional<int> currentSent,
                                   std::optional<bool> modifiedSent) {
        EXPECT_EQ(!results.isEmpty(), resultsSent);
        EXPECT_EQ(current.isEmpty() ? std::nullopt : std::optional(current.last()[0].toInt()),
                  currentSent);
        EXPECT_EQ(modified.isEmpty() ? std::nullopt : std::optional(modified.last()[0].toBool()),
                  modifiedSent);
        EXPECT_TRUE(options.isEmpty());
        results.clear();
        current.clear();
        modified.clear();
    };

    ASSERT_TRUE(doc->SelectResult(2));
    expectSignals(false, 2, std::nullopt);

    NextEntry(QDialog::Accepted, GbkRecord("布地奈德", "BDND", "Budesonide"));
    Send(ID_DRUG_APPEND);
    expectSignals(true, 3, true);

    ui.messageAnswers = {QMessageBox::Yes};
    Send(ID_DRUG_DELETE);
    expectSignals(true, 2, std::nullopt);

    ui.promptAnswers = {std::string("nothing like it")};
    Send(ID_DRUG_SEARCH);
    expectSignals(true, -1, std::nullopt);
}

}  // namespace
}  // namespace quorbex::testing
