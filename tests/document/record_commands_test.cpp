// The record commands of the drug tool bar: search, append, modify, delete.
#include "tests/document/drug_doc_fixture.h"

namespace quorbex::testing {
namespace {

using QMessageBox::Critical;
using QMessageBox::Information;
using QMessageBox::Question;

using DrugSearch = DrugDocTest;
using DrugAppend = DrugDocTest;
using DrugModify = DrugDocTest;
using DrugDelete = DrugDocTest;
using RecordCommandsTest = DrugDocTest;

TEST_F(DrugSearch, AsksForTenBytesStartingEmptyAndListsTheHitsFirstCurrent) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    const std::vector<std::uint8_t> image = ImageBytes(doc->GetStore());
    ResetRecorders();
    ui.promptAnswers = {std::string("asp"), std::string()};

    Send(ID_DRUG_SEARCH);
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].prompt, QStringLiteral("请输入要查找的内容:"));
    EXPECT_EQ(ui.prompts[0].initialText, "");
    EXPECT_EQ(ui.prompts[0].limit, 10);
    EXPECT_EQ(doc->GetResultList(), ResultList{2});
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[1]);
    ExpectTold(LISTED);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_EQ(ui.waitCursorShown, 1);

    // The prompt starts empty again; confirmed empty it lists every record,
    // by the sort key now chosen.
    Send(ID_SORT_BY_ENGLISH_NAME);
    ResetRecorders();
    Send(ID_DRUG_SEARCH);
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].initialText, "");
    EXPECT_EQ(doc->GetResultList(), (ResultList{3, 2, 1}));
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[2]);
    ExpectTold(LISTED);

    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(ImageBytes(doc->GetStore()) == image);
}

TEST_F(DrugSearch, LooksInTheFieldsChosenForIt) {
    struct Case {
        std::vector<platform::CommandId> toggled;
        const char* pattern;
        ResultList found;
    };
    const Case cases[] = {
        {{}, "aspirin", {2}},                                  // English name, any case
        {{}, "blf", {1}},                                      // pinyin initials
        {{}, "扑热", {3}},                                     // other names
        {{}, "镇痛", {}},                                      // function: not searched
        {{ID_SEARCH_FUNCTION}, "镇痛", {2, 1}},                // now it is
        {{ID_SEARCH_ENGLISH_NAME}, "aspirin", {}},             // English name switched off
        {{ID_SEARCH_ALL}, "肝病", {3}},                        // cautions, through all fields
        {{ID_SEARCH_USAGE, ID_SEARCH_CAUTIONS}, "禁用", {2}},  // cautions
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        docTemplate.CloseAllDocuments();
        ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
        for (const platform::CommandId id : c.toggled) {
            Send(id);
        }
        ui.messages.clear();
        ui.promptAnswers = {Gbk(c.pattern)};
        Send(ID_DRUG_SEARCH);
        EXPECT_EQ(doc->GetResultList(), c.found);
        EXPECT_EQ(ui.messages.size(), c.found.empty() ? 1u : 0u);
    }
}

TEST_F(DrugSearch, FindingNothingSaysSoAndLeavesNoCurrentRecord) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ResetRecorders();
    ui.promptAnswers = {std::string("zzz")};
    Send(ID_DRUG_SEARCH);
    ExpectMessage("没查到满足条件的药物记录!!!", "查询失败..", QMessageBox::Critical);
    EXPECT_TRUE(doc->GetResultList().empty());
    EXPECT_EQ(doc->GetResultCount(), 0);
    EXPECT_EQ(doc->GetCurrentIndex(), -1);
    EXPECT_EQ(CurrentStrings(), DrugFields{});
    ExpectTold(LISTED);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetRecordCount(), 3);
    EXPECT_EQ(ui.waitCursorDepth, 0);
}

TEST_F(DrugAppend, TheNewRecordIsAddedLastAndCurrentEvenWhenTheSearchWouldMissIt) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ui.promptAnswers = {std::string("asp")};
    Send(ID_DRUG_SEARCH);
    ASSERT_EQ(doc->GetResultList(), ResultList{2});
    ResetRecorders();
    const DrugFields added =
        GbkRecord("布地奈德", "BDND", "Budesonide", "普米克", "抗炎", "吸入", "感染者慎用");
    FakeDrugEntry::Script& entry = NextEntry(QDialog::Accepted, added);

    Send(ID_DRUG_APPEND);
    EXPECT_TRUE(entry.ran);
    EXPECT_FALSE(entry.filled) << "the entry dialog of an append starts empty";
    EXPECT_EQ(doc->GetResultList(), (ResultList{2, 4}));
    EXPECT_EQ(doc->GetResultCount(), 2);
    EXPECT_EQ(doc->GetCurrentIndex(), 1);
    EXPECT_EQ(CurrentStrings(), added);
    EXPECT_EQ(doc->GetRecordCount(), 4);
    std::vector<DrugFields> expected = ThreeDrugs();
    expected.push_back(added);
    EXPECT_EQ(StoredRecords(), expected);
    ExpectTold(LISTED);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DrugAppend, EachFieldIsCutToItsWidthInBytes) {
    ASSERT_NE(NewDictionary(), nullptr);
    DrugFields entered;
    entered.tradeName = "A";
    entered.tradeName += Gbk("阿司匹林布洛芬对乙酰");  // 21 bytes
    entered.pinyinInitials = std::string(15, 'P');
    entered.englishName = std::string(25, 'E');
    entered.otherNames = std::string(45, 'O');
    entered.function = std::string(205, 'F');
    entered.usage = std::string(205, 'U');
    entered.cautions = std::string(205, 'C');
    NextEntry(QDialog::Accepted, entered);
    Send(ID_DRUG_APPEND);

    DrugFields cut;
    cut.tradeName = entered.tradeName.substr(0, 20);  // ends in a lone lead byte
    cut.pinyinInitials = std::string(10, 'P');
    cut.englishName = std::string(20, 'E');
    cut.otherNames = std::string(40, 'O');
    cut.function = std::string(200, 'F');
    cut.usage = std::string(200, 'U');
    cut.cautions = std::string(200, 'C');
    EXPECT_EQ(CurrentStrings(), cut);
    EXPECT_EQ(StoredRecords(), std::vector<DrugFields>{cut});
    EXPECT_EQ(doc->GetResultList(), ResultList{1});
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
}

TEST_F(DrugAppend, AFullDictionaryRefusesTheRecordAndSaysSo) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    std::vector<DrugFields> filler(DICT_MAX_RECORDS - 3, Names("Z"));
    AppendAll(doc->GetStore(), filler);
    ASSERT_EQ(doc->GetRecordCount(), 2000);
    ASSERT_TRUE(doc->SelectResult(1));
    ResetRecorders();
    const DocumentState before = State();

    EXPECT_FALSE(doc->AddRecord());
    ExpectUnchanged(before);

    // Refused before the entry dialog opens: nothing typed there is lost.
    NextEntry(QDialog::Accepted, GbkRecord("布地奈德", "BDND", "Budesonide"));
    Send(ID_DRUG_APPEND);
    ExpectMessage("药物字典已满,最多只能存放2000条药物记录!", "追加...", QMessageBox::Critical);
    EXPECT_EQ(EntryDialogsMade(), 0);
    ExpectUnchanged(before);
    EXPECT_EQ(doc->GetRecordCount(), 2000);
    ExpectTold({});
}

TEST_F(DrugModify, TheEditedRecordIsStoredInPlaceAndKeepsItsPlaceInTheList) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    ASSERT_TRUE(doc->SelectResult(1));  // record 1, 布洛芬
    ResetRecorders();
    // Renamed so that it would now sort first, and every field changed.
    const DrugFields edited =
        GbkRecord("安乃近", "ANJ", "Metamizole", "诺瓦经", "镇痛", "肌注", "过敏者禁用");
    FakeDrugEntry::Script& entry = NextEntry(QDialog::Accepted, edited);

    Send(ID_DRUG_MODIFY);
    EXPECT_TRUE(entry.filled);
    EXPECT_EQ(entry.filledWith, drugs[0]);
    EXPECT_EQ(StoredRecords(), (std::vector<DrugFields>{edited, drugs[1], drugs[2]}));
    EXPECT_EQ(doc->GetResultList(), (ResultList{2, 1, 3}));
    EXPECT_EQ(doc->GetCurrentIndex(), 1);
    EXPECT_EQ(CurrentStrings(), edited);
    ExpectTold(EDITED);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DrugModify, TheEditIsCutToTheFieldWidths) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    DrugFields edited = drugs[1];
    edited.tradeName = "A";
    edited.tradeName += Gbk("阿司匹林布洛芬对乙酰");
    edited.otherNames = Gbk("一二三四五六七八九十一二三四五六七八九十一");  // 42 bytes
    NextEntry(QDialog::Accepted, edited);
    Send(ID_DRUG_MODIFY);

    DrugFields cut = edited;
    cut.tradeName.resize(20);
    cut.otherNames.resize(40);
    EXPECT_EQ(CurrentStrings(), cut);
    EXPECT_EQ(RecordFields(doc->GetStore(), 2), cut);
}

TEST_F(DrugDelete, DeletesTheCurrentResultAndRenumbersTheOthers) {
    // A search lists records 5, 9 and 3, in this order.
    std::vector<DrugFields> drugs;
    for (int n = 1; n <= 10; ++n) {
        const char* name = n == 5 ? "X1" : n == 9 ? "X2" : n == 3 ? "X3" : "Y";
        drugs.push_back(Names(name, "record " + std::to_string(n)));
    }
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    ui.promptAnswers = {std::string("X")};
    Send(ID_DRUG_SEARCH);
    ASSERT_EQ(doc->GetResultList(), (ResultList{5, 9, 3}));
    ASSERT_EQ(doc->GetCurrentIndex(), 0);
    ResetRecorders();
    ui.messageAnswers = {QMessageBox::Yes};

    Send(ID_DRUG_DELETE);
    ExpectMessage("将要删除药物:\n\nX1\n\n确认吗?", "删除...", QMessageBox::Question,
                  QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(doc->GetResultList(), (ResultList{8, 3}));
    EXPECT_EQ(doc->GetResultCount(), 2);
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[8]);
    drugs.erase(drugs.begin() + 4);
    EXPECT_EQ(StoredRecords(), drugs);
    EXPECT_EQ(doc->GetRecordCount(), 9);
    ExpectTold(LISTED);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DrugDelete, TheQuestionNamesTheEnglishNameWhenTheTradeNameIsEmpty) {
    struct Case {
        DrugFields drug;
        const char* question;
    };
    const Case cases[] = {
        {GbkRecord("", "", "Aspirin"), "将要删除药物:\n\nAspirin\n\n确认吗?"},
        {GbkRecord("阿司匹林", "", "Aspirin"), "将要删除药物:\n\n阿司匹林\n\n确认吗?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        docTemplate.CloseAllDocuments();
        ASSERT_NE(OpenDictionary({c.drug}), nullptr);
        ui.messages.clear();
        ui.messageAnswers = {QMessageBox::No};
        Send(ID_DRUG_DELETE);
        ExpectMessage(c.question, "删除...", QMessageBox::Question,
                      QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(doc->GetRecordCount(), 1);
    }
}

TEST_F(DrugDelete, WithConfirmationOffDeletesWithoutAskingDownToTheLastRecord) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    Send(ID_CONFIRM_DELETE);

    // The last of three results: the one before it becomes current.
    ASSERT_TRUE(doc->SelectResult(2));
    ResetRecorders();
    Send(ID_DRUG_DELETE);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc->GetResultList(), (ResultList{2, 1}));
    EXPECT_EQ(doc->GetCurrentIndex(), 1);
    EXPECT_EQ(CurrentStrings(), drugs[0]);
    ExpectTold(LISTED);
    EXPECT_TRUE(doc->IsModified());

    // The first of two: the one that followed it becomes current.
    ASSERT_TRUE(doc->SelectResult(0));
    Send(ID_DRUG_DELETE);
    EXPECT_EQ(doc->GetResultList(), ResultList{1});
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[0]);

    // The only one: nothing is current and the strings are cleared.
    ResetRecorders();
    Send(ID_DRUG_DELETE);
    EXPECT_TRUE(doc->GetResultList().empty());
    EXPECT_EQ(doc->GetResultCount(), 0);
    EXPECT_EQ(doc->GetCurrentIndex(), -1);
    EXPECT_EQ(CurrentStrings(), DrugFields{});
    EXPECT_EQ(doc->GetRecordCount(), 0);
    ExpectTold(LISTED);

    ResetRecorders();
    Send(ID_DRUG_DELETE);
    ExpectMessage("记录已被删完!", "删除...", QMessageBox::Information);
    ExpectTold({});
}

TEST_F(RecordCommandsTest, DeleteAndModifyWithoutACurrentResultOnlyInform) {
    struct Case {
        platform::CommandId id;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {ID_DRUG_DELETE, "记录已被删完!", "删除..."},
        {ID_DRUG_MODIFY, "字典中无药物!", "修改..."},
    };
    for (const Case& c : cases) {
        for (const bool afterFailedSearch : {false, true}) {
            SCOPED_TRACE(std::string(c.caption) + (afterFailedSearch ? " after a search" : ""));
            docTemplate.CloseAllDocuments();
            if (afterFailedSearch) {
                ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
                ui.promptAnswers = {std::string("zzz")};
                Send(ID_DRUG_SEARCH);
            } else {
                ASSERT_NE(NewDictionary(), nullptr);
            }
            ResetRecorders();
            const DocumentState before = State();
            Send(c.id);
            ExpectMessage(c.text, c.caption, QMessageBox::Information);
            ExpectUnchanged(before);
            ExpectTold({});
            EXPECT_EQ(EntryDialogsMade(), 0);
        }
    }
}

TEST_F(RecordCommandsTest, CancellingChangesNothingAndSendsNoHint) {
    const auto edits = GbkRecord("安乃近", "ANJ", "Metamizole");
    struct Case {
        const char* name;
        platform::CommandId id;
        std::function<void()> script;
    };
    const Case cases[] = {
        {"search prompt cancelled", ID_DRUG_SEARCH, [&] { ui.promptAnswers = {std::nullopt}; }},
        {"append dialog cancelled", ID_DRUG_APPEND, [&] { NextEntry(QDialog::Rejected, edits); }},
        {"modify dialog cancelled", ID_DRUG_MODIFY, [&] { NextEntry(QDialog::Rejected, edits); }},
        {"delete answered no", ID_DRUG_DELETE, [&] { ui.messageAnswers = {QMessageBox::No}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        docTemplate.CloseAllDocuments();
        ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
        ASSERT_TRUE(doc->SelectResult(1));
        ResetRecorders();
        const DocumentState before = State();
        c.script();
        Send(c.id);
        ExpectUnchanged(before);
        ExpectTold({});
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
    EXPECT_EQ(EntryDialogsMade(), 2);
}

}  // namespace
}  // namespace quorbex::testing
