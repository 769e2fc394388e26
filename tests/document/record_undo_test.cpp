// Undo and redo of the record commands through the document's undo stack.
#include "tests/document/drug_doc_fixture.h"

namespace quorbex::testing {
namespace {

using RecordUndo = DrugDocTest;

// What undo and redo must give back at each step.
struct Snapshot {
    std::vector<std::uint8_t> image;
    ResultList results;
    int current;
    DrugFields strings;
    bool modified;
};

class RecordUndoSteps : public DrugDocTest {
protected:
    Snapshot Take() {
        return {ImageBytes(doc->GetStore()), doc->GetResultList(), doc->GetCurrentIndex(),
                CurrentStrings(), doc->IsModified()};
    }
    void ExpectAt(const Snapshot& expected, const char* step) {
        SCOPED_TRACE(step);
        EXPECT_TRUE(ImageBytes(doc->GetStore()) == expected.image) << "the store's image differs";
        EXPECT_EQ(doc->GetResultList(), expected.results);
        EXPECT_EQ(doc->GetResultCount(), static_cast<int>(expected.results.size()));
        EXPECT_EQ(doc->GetCurrentIndex(), expected.current);
        EXPECT_EQ(CurrentStrings(), expected.strings);
        EXPECT_EQ(doc->IsModified(), expected.modified);
    }
};

TEST_F(RecordUndoSteps, UndoAndRedoWalkBackAndForthThroughEveryChange) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ui.messageAnswers = {QMessageBox::Yes};
    struct Step {
        const char* name;
        int select;  // the result made current before the command
        platform::CommandId command;
        std::optional<DrugFields> entry;
        std::vector<Told> told;
    };
    const Step steps[] = {
        {"append", 0, ID_DRUG_APPEND, GbkRecord("青霉素", "QMS", "Penicillin"), LISTED},
        {"modify", 0, ID_DRUG_MODIFY, GbkRecord("布洛芬缓释", "BLFHS", "Ibuprofen SR"), EDITED},
        {"delete", 1, ID_DRUG_DELETE, std::nullopt, LISTED},
    };
    std::vector<Snapshot> before;
    std::vector<Snapshot> after;
    for (const Step& step : steps) {
        ASSERT_TRUE(doc->SelectResult(step.select));
        before.push_back(Take());
        if (step.entry) {
            NextEntry(QDialog::Accepted, step.entry);
        }
        Send(step.command);
        after.push_back(Take());
    }
    ASSERT_EQ(after.back().results.size(), 3u);
    // An undone append leaves the last result current.
    before[0].current = 2;
    before[0].strings = ThreeDrugs()[2];

    for (std::size_t i = std::size(steps); i-- > 0;) {
        // Another result current, as the user may have chosen meanwhile.
        ASSERT_TRUE(doc->SelectResult(doc->GetResultCount() - 1));
        ResetRecorders();
        ASSERT_TRUE(doc->UndoStack().canUndo());
        Commands().OnRecordUndo();
        ExpectAt(before[i], steps[i].name);
        // The views hear what the command told them, the result that became
        // current among it.
        ExpectTold(steps[i].told);
    }
    EXPECT_FALSE(doc->UndoStack().canUndo());
    EXPECT_FALSE(doc->IsModified()) << "back at the opened state";
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        ASSERT_TRUE(doc->SelectResult(steps[i].select));
        Commands().OnRecordRedo();
        ExpectAt(after[i], steps[i].name);
    }
    EXPECT_FALSE(doc->UndoStack().canRedo());
}

TEST_F(RecordUndo, UndoingADeletePutsTheRecordBackInItsPlaceCurrent) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    ASSERT_EQ(doc->GetResultList(), (ResultList{2, 1, 3}));
    ASSERT_TRUE(doc->SelectResult(0));
    ui.messageAnswers = {QMessageBox::Yes};
    Send(ID_DRUG_DELETE);
    ASSERT_EQ(doc->GetResultList(), (ResultList{1, 2}));
    // Another result is current before the undo.
    ASSERT_TRUE(doc->SelectResult(1));

    Commands().OnRecordUndo();
    EXPECT_EQ(doc->GetResultList(), (ResultList{2, 1, 3}));
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[1]);
    EXPECT_EQ(StoredRecords(), drugs);
}

TEST_F(RecordUndo, UndoingAModifyOfAnotherResultMakesItCurrentAndSelectsIt) {
    const std::vector<DrugFields> drugs = ThreeDrugs();
    ASSERT_NE(OpenDictionary(drugs), nullptr);
    NextEntry(QDialog::Accepted, GbkRecord("芬必得", "FBD", "Fenbid"));
    Send(ID_DRUG_MODIFY);  // the first result, record 2
    ASSERT_TRUE(doc->SelectResult(2));
    ResetRecorders();

    Commands().OnRecordUndo();
    EXPECT_EQ(doc->GetCurrentIndex(), 0);
    EXPECT_EQ(CurrentStrings(), drugs[1]);
    ExpectTold(EDITED);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(RecordUndo, TheSavedStateIsTheOneWithoutTheModifiedMark) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    NextEntry(QDialog::Accepted, GbkRecord("青霉素", "QMS", "Penicillin"));
    Send(ID_DRUG_APPEND);
    Send(platform::ID_FILE_SAVE);
    ASSERT_FALSE(doc->IsModified());

    Commands().OnRecordUndo();
    EXPECT_TRUE(doc->IsModified()) << "the file still holds the appended drug";
    Commands().OnRecordRedo();
    EXPECT_FALSE(doc->IsModified()) << "back at what the file holds";

    // A change after an undo past the saved state leaves no way back to it.
    Commands().OnRecordUndo();
    NextEntry(QDialog::Accepted, GbkRecord("红霉素", "HMS", "Erythromycin"));
    Send(ID_DRUG_APPEND);
    Commands().OnRecordUndo();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(StoredRecords().size(), 3u);
}

TEST_F(RecordUndo, RecordsAppendedInOneGoAreOneStep) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    RecordStore& store = doc->GetStore();
    const std::vector<std::uint8_t> image = ImageBytes(store);
    ASSERT_TRUE(doc->AppendRecords(
        {GbkRecord("青霉素", "QMS", "Penicillin"), GbkRecord("红霉素", "HMS", "Erythromycin")}));
    const std::vector<std::uint8_t> appended = ImageBytes(store);
    EXPECT_TRUE(doc->IsModified());

    Commands().OnRecordUndo();
    EXPECT_TRUE(ImageBytes(store) == image);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->UndoStack().canUndo());
    Commands().OnRecordRedo();
    EXPECT_TRUE(ImageBytes(store) == appended);
    EXPECT_EQ(doc->GetResultList(), (ResultList{2, 1, 3, 4, 5}));
    EXPECT_EQ(doc->GetCurrentIndex(), 4);
}

TEST_F(RecordUndo, SearchesAndCancelledCommandsAddNoStep) {
    ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    ui.promptAnswers = {std::string("asp")};
    Send(ID_DRUG_SEARCH);
    NextEntry(QDialog::Rejected);
    Send(ID_DRUG_APPEND);
    ui.messageAnswers = {QMessageBox::No};
    Send(ID_DRUG_DELETE);
    EXPECT_FALSE(doc->UndoStack().canUndo());
}

}  // namespace
}  // namespace quorbex::testing
