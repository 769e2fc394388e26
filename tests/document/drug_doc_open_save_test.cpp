// Opening a dictionary through the document template, and saving it.
#include <QFile>
#include <QFileInfo>
#include <csignal>

#include "tests/document/drug_doc_fixture.h"
#include "tests/support/child_process.h"

namespace quorbex::testing {
namespace {

using QMessageBox::Critical;
using QMessageBox::Warning;

using DrugDocOpen = DrugDocTest;
using DrugDocSave = DrugDocTest;

TEST_F(DrugDocOpen, ListsEveryRecordByTradeNameWithTheFirstCurrent) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    EXPECT_EQ(doc->GetResultList(), (ResultList{2, 1, 3}));
    EXPECT_EQ(doc->GetResultCount(), 3);
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[1]);
    EXPECT_EQ(doc->GetRecordCount(), 3);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(ui.messages.empty());

    // The views hear of it while it opens, then get their initial update.
    ExpectTold(LISTED);
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_GE(ui.waitCursorShown, 1);

    EXPECT_EQ(doc->GetTitle(), QStringLiteral("drugs.zvk"));
    EXPECT_EQ(recentFiles.Paths(), QStringList{Path("drugs.zvk")});
    // The listing does not touch the options of the next search.
    EXPECT_EQ(doc->GetSearchMask(), 0x0F);
    int sortKey = -1;
    doc->GetSortKey(sortKey);
    EXPECT_EQ(sortKey, 0);
    EXPECT_TRUE(doc->GetConfirmDelete());
}

TEST_F(DrugDocOpen, OrdersEqualTradeNamesByTheExchangeSort) {
    // Found in the order 1, 2, 3 with trade names B, B, A: listed 3, 2, 1.
    ASSERT_NE(OpenDictionary({GbkRecord("B", "", "first"), GbkRecord("B", "", "second"),
                              GbkRecord("A", "", "third")}),
              nullptr);
    EXPECT_EQ(doc->GetResultList(), (ResultList{3, 2, 1}));
    EXPECT_EQ(CurrentStrings().englishName, "third");
}

TEST_F(DrugDocOpen, FilesWithoutRecordsOpenAsEmptyDictionariesWithoutAMessage) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"a saved empty dictionary", DictionaryFileBytes({})},
        {"a file of no bytes", {}},
        {"a file of six bytes", std::vector<std::uint8_t>(6, 0xC6)},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(QStringLiteral("empty%1.zvk").arg(++number));
        WriteFileBytes(path, c.bytes);
        ui.messages.clear();
        ASSERT_NE(OpenFile(path), nullptr);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(doc->GetResultList().empty());
        EXPECT_EQ(doc->GetResultCount(), 0);
        EXPECT_EQ(doc->GetCurrentIndex(), -1);
        EXPECT_EQ(CurrentStrings(), DrugFields{});
        EXPECT_EQ(doc->GetRecordCount(), 0);
        EXPECT_FALSE(doc->IsModified());
        ExpectTold(LISTED);
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
}

TEST_F(DrugDocOpen, AFileThatIsNotADictionaryIsRefusedAndLeavesNoDocument) {
    std::vector<std::uint8_t> wrongMagic = DictionaryFileBytes(ThreeDrugs());
    wrongMagic[DICT_MAGIC_OFFSET] ^= 0x01;
    std::vector<std::uint8_t> tooMany = Scrambled(PlainHeader(DICT_MAX_RECORDS + 1));
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"a wrong magic", wrongMagic},
        {"the magic unscrambled", PlainHeader(0)},
        {"more than 2000 records", tooMany},
        {"too short to hold its magic", std::vector<std::uint8_t>(10, 0xC6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(Path("bad.zvk"), c.bytes);
        ui.messages.clear();
        EXPECT_EQ(OpenFile(Path("bad.zvk")), nullptr);
        ExpectMessage("此文件不是有效药物库文件,可能已被破坏", "文件打开错误...",
                      QMessageBox::Critical);
        EXPECT_TRUE(docTemplate.GetDocuments().empty());
        EXPECT_EQ(windows.destroyed, windows.created);
        EXPECT_EQ(ui.waitCursorDepth, 0);
    }
    EXPECT_TRUE(recentFiles.Paths().isEmpty());
}

TEST_F(DrugDocOpen, AMissingFileIsReportedAndLeavesNoDocument) {
    EXPECT_EQ(OpenFile(Path("missing.zvk")), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("无法打开文件“missing.zvk”")));
    EXPECT_TRUE(docTemplate.GetDocuments().empty());
    EXPECT_TRUE(recentFiles.Paths().isEmpty());
}

TEST_F(DrugDocOpen, ANewDictionaryIsEmptyAndGetsOnlyTheInitialUpdate) {
    ASSERT_NE(NewDictionary(), nullptr);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("我的药物字典_1"));
    EXPECT_TRUE(doc->GetResultList().empty());
    EXPECT_EQ(doc->GetCurrentIndex(), -1);
    EXPECT_EQ(CurrentStrings(), DrugFields{});
    EXPECT_EQ(doc->GetRecordCount(), 0);
    EXPECT_FALSE(doc->IsModified());
    ExpectTold({});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DrugDocSave, SaveWritesTheDictionaryAndClearsTheModifiedFlag) {
    std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    const DrugFields added = GbkRecord("布地奈德", "BDND", "Budesonide");
    NextEntry(QDialog::Accepted, added);
    Send(ID_DRUG_APPEND);
    ASSERT_TRUE(doc->IsModified());

    Send(ID_DRUG_SAVE);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(ui.saveDialogs.empty());
    drugs.push_back(added);
    EXPECT_EQ(ReadFileBytes(Path("drugs.zvk")), DictionaryFileBytes(drugs));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("drugs.zvk")});
}

TEST_F(DrugDocSave, ANewDictionaryIsNamedOnItsFirstSaveAndOpensAgainAsSaved) {
    ASSERT_NE(NewDictionary(), nullptr);
    const DrugFields added = GbkRecord("阿司匹林", "ASPL", "Aspirin");
    NextEntry(QDialog::Accepted, added);
    Send(ID_DRUG_APPEND);
    ui.saveNames.push_back(Path("mine"));

    Send(ID_DRUG_SAVE);
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].second, QStringLiteral("药物字典文件 (*.*.zvk) (*.zvk)"));
    EXPECT_EQ(doc->GetPathName(), Path("mine.zvk"));
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("mine.zvk"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(recentFiles.Paths().value(0), Path("mine.zvk"));
    EXPECT_EQ(ReadFileBytes(Path("mine.zvk")), DictionaryFileBytes({added}));

    docTemplate.CloseAllDocuments();
    ASSERT_NE(OpenFile(Path("mine.zvk")), nullptr);
    EXPECT_EQ(StoredRecords(), std::vector<DrugFields>{added});
}

TEST_F(DrugDocSave, AWritePastAFileSizeLimitKeepsTheOldFileAndNamesTheCause) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    const std::vector<std::uint8_t> before = ReadFileBytes(Path("drugs.zvk"));
    NextEntry(QDialog::Accepted, GbkRecord("布地奈德", "BDND", "Budesonide"));
    Send(ID_DRUG_APPEND);
    ResetRecorders();

    // Room for the header, not for the records. The limit is set in a child
    // process, which ignores SIGXFSZ as the program's main does.
    const ChildOutcome child = RunInChild(
        [this] {
            std::signal(SIGXFSZ, SIG_IGN);
            Send(ID_DRUG_SAVE);
            EXPECT_TRUE(doc->IsModified());
            EXPECT_EQ(ui.messages.size(), 1u);
            if (!ui.messages.empty()) {
                EXPECT_EQ(ui.messages[0].text.toStdString(),
                          "无法保存文件“drugs.zvk”:\n写入文件时出错: 文件太大, 超过了系统允许的"
                          "大小\n\n原有文件未被改动。");
                EXPECT_EQ(ui.messages[0].icon, QMessageBox::Warning);
            }
            ExpectTold({});
            return ::testing::Test::HasFailure() ? 1 : 0;
        },
        {.fileSize = 1000});
    ASSERT_TRUE(child.exited) << ::testing::PrintToString(child);
    EXPECT_EQ(child.status, 0);
    EXPECT_TRUE(ReadFileBytes(Path("drugs.zvk")) == before) << "the old file was changed";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("drugs.zvk")});

    // Without the limit the same save goes through.
    EXPECT_TRUE(doc->IsModified());
    Send(ID_DRUG_SAVE);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(ReadFileBytes(Path("drugs.zvk")).size(), DictionaryLength(4));
}

}  // namespace
}  // namespace quorbex::testing
