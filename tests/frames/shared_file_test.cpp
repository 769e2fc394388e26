// A dictionary that others change on disk while it is open: taken in at once
// while nothing here is unsaved, else told by the bar above the record with
// merge, reload and keep mine; merges as one undo step, the record limit,
// the question at save, another dictionary merged in, and conflict copies.
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "frames/file_change_bar.h"
#include "platform/document_file_watch.h"
#include "resources/resource_ids.h"
#include "tests/frames/main_frame_fixture.h"
#include "tests/support/test_files.h"
#include "views/zorvik_drug_tree_view.h"

namespace quorbex::testing {
namespace {

QByteArray ImageOf(const std::vector<DrugFields>& records) {
    RecordStore store;
    AppendAll(store, records);
    MemoryFile image;
    EXPECT_TRUE(store.SaveToFile(&image));
    return QByteArray(reinterpret_cast<const char*>(image.bytes.data()),
                      static_cast<qsizetype>(image.bytes.size()));
}

std::vector<DrugFields> Numbered(int count, const std::string& prefix = "Drug") {
    std::vector<DrugFields> records;
    for (int i = 0; i < count; ++i) {
        records.push_back(Names(prefix + std::to_string(1000 + i)));
    }
    return records;
}

// How another program puts its version of the file in place.
enum class Write { AtomicRename, InPlace, DeleteAndRecreate };

void WriteAsOthers(const QString& path, const std::vector<DrugFields>& records, Write how) {
    const QByteArray bytes = ImageOf(records);
    if (how == Write::AtomicRename) {
        const QString temporary = path + QStringLiteral(".tmp");
        QFile file(temporary);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ASSERT_EQ(
            ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()),
            0);
        return;
    }
    if (how == Write::DeleteAndRecreate) {
        ASSERT_TRUE(QFile::remove(path));
        QTest::qWait(300);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

std::string WriteName(Write how) {
    switch (how) {
        case Write::AtomicRename:
            return "AtomicRename";
        case Write::InPlace:
            return "InPlace";
        case Write::DeleteAndRecreate:
            return "DeleteAndRecreate";
    }
    return {};
}

// Lets the program run until done answers true; false if it never does.
bool WaitUntil(const std::function<bool()>& done) {
    for (int round = 0; round < 250 && !done(); ++round) {
        QTest::qWait(20);
    }
    return done();
}

std::vector<std::string> TradeNames(CZorvikDrugDoc& document) {
    std::vector<std::string> names;
    for (const DrugFields& record : AllRecords(document.GetStore())) {
        names.push_back(record.tradeName);
    }
    return names;
}

class SharedFileTest : public MainFrameTest {
protected:
    CZorvikDrugDoc* Open(const std::vector<DrugFields>& records) {
        ShowFrame();
        CZorvikDrugDoc* document = OpenRecords(records);
        window = DrugFrameOf(*document);
        return document;
    }

    // Changes the current drug here, leaving the document modified.
    static void ChangeHere(CZorvikDrugDoc& document, const std::string& tradeName,
                           const std::string& usage) {
        for (int i = 0; i < document.GetResultCount(); ++i) {
            if (document.PeekResultField(i, Field::TradeName) == tradeName) {
                document.SelectResult(i);
            }
        }
        DrugFields drug = document.GetCurrentStrings();
        drug.usage = usage;
        document.ModifyCurrent(drug);
    }

    CZorvikDrugFrame* window = nullptr;
};

class UnmodifiedReloadTest : public SharedFileTest, public ::testing::WithParamInterface<Write> {};

TEST_P(UnmodifiedReloadTest, TakesInEachChangeKeepingTheDrugAndTheScroll) {
    std::vector<DrugFields> records = Numbered(300);
    CZorvikDrugDoc* document = Open(records);
    ASSERT_NE(document, nullptr);
    document->SelectResult(150);
    QScrollBar* scroll = window->TreeView()->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->maximum() / 2);
    const int position = scroll->value();

    // A drug added before the current one, so that its place changes; and
    // again, as a colleague saving every so often.
    for (int change = 0; change < 2; ++change) {
        records.insert(records.begin(), Names("Added" + std::to_string(change)));
        WriteAsOthers(document->GetPathName(), records, GetParam());
        ASSERT_TRUE(WaitUntil([&] {
            return document->GetRecordCount() == static_cast<int>(records.size());
        })) << "change "
            << change;
        EXPECT_EQ(document->GetCurrentStrings().tradeName, "Drug1150");
        EXPECT_EQ(scroll->value(), position);
        EXPECT_FALSE(document->IsModified());
        EXPECT_FALSE(window->ChangeBar()->isVisible());
        EXPECT_TRUE(frame->statusBar()->currentMessage().contains(
            QFileInfo(document->GetPathName()).fileName()));
    }
    // Nothing to undo: the records are the file's.
    EXPECT_FALSE(document->UndoStack().canUndo());
}

INSTANTIATE_TEST_SUITE_P(Ways, UnmodifiedReloadTest,
                         ::testing::Values(Write::AtomicRename, Write::InPlace,
                                           Write::DeleteAndRecreate),
                         [](const ::testing::TestParamInfo<Write>& info) {
                             return WriteName(info.param);
                         });

TEST_F(SharedFileTest, OwnSavesAreNotTakenForChangesByOthers) {
    CZorvikDrugDoc* document = Open(Numbered(3));
    ChangeHere(*document, "Drug1001", "mine");
    document->OnFileSave();
    QTest::qWait(400);
    EXPECT_FALSE(window->ChangeBar()->isVisible());
    EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(document->UndoStack().canUndo()) << "no reload took the steps";
}

TEST_F(SharedFileTest, SavingUnderAnotherNameKeepsWhatIsHereAndFollowsTheNewFile) {
    CZorvikDrugDoc* document = Open(Numbered(2));
    ChangeHere(*document, "Drug1000", "mine");
    const QString other = files.filePath(QStringLiteral("other.zvk"));
    ui.saveNames = {other};
    document->OnFileSaveAs();
    EXPECT_EQ(document->GetPathName(), QFileInfo(other).absoluteFilePath());
    QTest::qWait(400);
    EXPECT_EQ(AllRecords(document->GetStore())[0].usage, "mine");

    WriteAsOthers(other, Numbered(3), Write::AtomicRename);
    EXPECT_TRUE(WaitUntil([&] { return document->GetRecordCount() == 3; }));
}

TEST_F(SharedFileTest, WithChangesHereTheBarOffersMergeAndMergeIsOneUndoStep) {
    std::vector<DrugFields> records = Numbered(3);
    CZorvikDrugDoc* document = Open(records);
    ChangeHere(*document, "Drug1000", "mine");
    records[2].usage = "theirs";
    records.push_back(Names("Theirs"));
    WriteAsOthers(document->GetPathName(), records, Write::AtomicRename);

    FileChangeBar* bar = window->ChangeBar();
    ASSERT_TRUE(WaitUntil([&] { return bar->isVisible(); }));
    EXPECT_TRUE(bar->Text().contains(QFileInfo(document->GetPathName()).fileName()));
    EXPECT_EQ(bar->Button(0)->text(), Tr(UiText::MergeChoice));
    EXPECT_TRUE(bar->Button(0)->isDefault());
    EXPECT_EQ(bar->Button(1)->text(), Tr(UiText::ReloadChoice));
    EXPECT_EQ(bar->Button(2)->text(), Tr(UiText::KeepMineChoice));
    EXPECT_EQ(document->GetRecordCount(), 3) << "nothing taken in yet";

    const int steps = document->UndoStack().count();
    QTest::mouseClick(bar->Button(0), Qt::LeftButton);
    EXPECT_FALSE(bar->isVisible());
    const std::vector<DrugFields> merged = AllRecords(document->GetStore());
    ASSERT_EQ(merged.size(), 4U);
    EXPECT_EQ(merged[0].usage, "mine");
    EXPECT_EQ(merged[2].usage, "theirs");
    EXPECT_EQ(merged[3].tradeName, "Theirs");
    EXPECT_EQ(document->UndoStack().count(), steps + 1);
    EXPECT_TRUE(document->IsModified());

    document->UndoStack().undo();
    const std::vector<DrugFields> before = AllRecords(document->GetStore());
    ASSERT_EQ(before.size(), 3U);
    EXPECT_EQ(before[0].usage, "mine");
    EXPECT_EQ(before[2].usage, "");
    document->UndoStack().redo();
    EXPECT_EQ(AllRecords(document->GetStore()), merged);

    // The file as merged is the base now: saving asks nothing.
    EXPECT_TRUE(document->DoFileSave());
    EXPECT_TRUE(ui.choices.empty());
}

TEST_F(SharedFileTest, KeepMineAndReloadFromTheBar) {
    std::vector<DrugFields> records = Numbered(3);
    CZorvikDrugDoc* document = Open(records);
    ChangeHere(*document, "Drug1000", "mine");
    records.push_back(Names("Theirs"));
    WriteAsOthers(document->GetPathName(), records, Write::InPlace);
    FileChangeBar* bar = window->ChangeBar();
    ASSERT_TRUE(WaitUntil([&] { return bar->isVisible(); }));

    QTest::mouseClick(bar->Button(2), Qt::LeftButton);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(document->GetRecordCount(), 3);
    EXPECT_TRUE(document->IsModified());
    // Undone back to what was read, the document takes the file in.
    document->UndoStack().undo();
    EXPECT_FALSE(document->IsModified());
    EXPECT_TRUE(WaitUntil([&] { return document->GetRecordCount() == 4; }));
    ChangeHere(*document, "Drug1000", "mine");

    // A later change shows the bar again; a reload asks first.
    records.push_back(Names("Later"));
    WriteAsOthers(document->GetPathName(), records, Write::InPlace);
    ASSERT_TRUE(WaitUntil([&] { return bar->isVisible(); }));
    ui.messageAnswers = {QMessageBox::No};
    QTest::mouseClick(bar->Button(1), Qt::LeftButton);
    EXPECT_TRUE(bar->isVisible()) << "declined: still to settle";
    EXPECT_EQ(document->GetRecordCount(), 4);
    ui.messageAnswers = {QMessageBox::Yes};
    QTest::mouseClick(bar->Button(1), Qt::LeftButton);
    EXPECT_EQ(ui.messages.size(), 2U);
    EXPECT_EQ(document->GetRecordCount(), 5);
    EXPECT_FALSE(document->IsModified());
}

TEST_F(SharedFileTest, ConflictsAreSettledInTheDialogAndCancelChangesNothing) {
    std::vector<DrugFields> records = Numbered(2);
    CZorvikDrugDoc* document = Open(records);
    ChangeHere(*document, "Drug1001", "mine");
    records[1].usage = "theirs";
    WriteAsOthers(document->GetPathName(), records, Write::AtomicRename);
    ASSERT_TRUE(WaitUntil([&] { return window->ChangeBar()->isVisible(); }));

    conflictScript.cancel = true;
    EXPECT_FALSE(window->Sharing().MergeFromDisk());
    ASSERT_EQ(conflictScript.shown.size(), 1U);
    EXPECT_EQ(conflictScript.shown[0].identity.tradeName, "Drug1001");
    EXPECT_EQ(conflictScript.shown[0].fields, std::vector<Field>{Field::Usage});
    EXPECT_EQ(AllRecords(document->GetStore())[1].usage, "mine");

    conflictScript.cancel = false;
    conflictScript.prefer = Side::Theirs;
    EXPECT_TRUE(window->Sharing().MergeFromDisk());
    EXPECT_EQ(AllRecords(document->GetStore())[1].usage, "theirs");
}

TEST_F(SharedFileTest, AMergeOverTheRecordLimitIsRefusedNamingItAndChangesNothing) {
    std::vector<DrugFields> records = Numbered(1500);
    CZorvikDrugDoc* document = Open(records);
    // Theirs adds 500 drugs, ours one: 2001 together.
    const std::vector<DrugFields> more = Numbered(500, "More");
    records.insert(records.end(), more.begin(), more.end());
    WriteAsOthers(document->GetPathName(), records, Write::AtomicRename);
    document->AppendDrug(Names("OneMore"));
    ASSERT_TRUE(WaitUntil([&] { return window->ChangeBar()->isVisible(); }));

    const std::vector<DrugFields> before = AllRecords(document->GetStore());
    const int steps = document->UndoStack().count();
    EXPECT_FALSE(window->Sharing().MergeFromDisk());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.messages.back().text.contains(QStringLiteral("2000")));
    EXPECT_TRUE(ui.messages.back().text.contains(QStringLiteral("2001")));
    EXPECT_EQ(AllRecords(document->GetStore()), before);
    EXPECT_EQ(document->UndoStack().count(), steps);
    EXPECT_TRUE(document->IsModified());
}

TEST_F(SharedFileTest, SavingOverAChangedFileAsksWithMergeTheDefault) {
    std::vector<DrugFields> records = Numbered(2);
    CZorvikDrugDoc* document = Open(records);
    ChangeHere(*document, "Drug1000", "mine");
    records[1].usage = "theirs";
    WriteAsOthers(document->GetPathName(), records, Write::AtomicRename);
    ASSERT_TRUE(WaitUntil([&] { return window->ChangeBar()->isVisible(); }));

    enum { Merge, Reload, KeepMine, Cancel };
    ui.choiceAnswers = {Cancel};
    EXPECT_FALSE(document->DoFileSave());
    ASSERT_EQ(ui.choices.size(), 1U);
    EXPECT_EQ(ui.choices[0].defaultChoice, Merge);
    EXPECT_EQ(ui.choices[0].options,
              QStringList({Tr(UiText::MergeChoice), Tr(UiText::ReloadChoice),
                           Tr(UiText::KeepMineChoice), Tr(UiText::CancelChoice)}));
    EXPECT_TRUE(document->IsModified());

    ui.choiceAnswers = {Merge};
    EXPECT_TRUE(document->DoFileSave());
    EXPECT_FALSE(document->IsModified());
    RecordStore saved;
    MemoryFile image(ReadFileBytes(document->GetPathName()));
    ASSERT_TRUE(saved.LoadFromFile(image));
    const std::vector<DrugFields> onDisk = AllRecords(saved);
    EXPECT_EQ(onDisk[0].usage, "mine");
    EXPECT_EQ(onDisk[1].usage, "theirs");
}

TEST_F(SharedFileTest, AnotherDictionaryMergesWithoutABase) {
    CZorvikDrugDoc* document = Open({Names("Alpha"), Names("Beta")});
    std::vector<DrugFields> colleague = {Names("Beta"), Names("Gamma")};
    colleague[0].usage = "other";
    const QString path = files.filePath(QStringLiteral("colleague.zvk"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ImageOf(colleague));
    file.close();

    conflictScript.prefer = Side::Ours;
    EXPECT_TRUE(window->Sharing().MergeFile(path));
    ASSERT_EQ(conflictScript.shown.size(), 1U);
    EXPECT_EQ(conflictScript.shown[0].identity.tradeName, "Beta");
    EXPECT_EQ(TradeNames(*document), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(AllRecords(document->GetStore())[1].usage, "");
    document->UndoStack().undo();
    EXPECT_EQ(TradeNames(*document), (std::vector<std::string>{"Alpha", "Beta"}));

    // A file that is no dictionary is refused by name.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a dictionary at all");
    file.close();
    EXPECT_FALSE(window->Sharing().MergeFile(path));
    EXPECT_TRUE(ui.messages.back().text.contains(QStringLiteral("colleague.zvk")));
    EXPECT_EQ(TradeNames(*document), (std::vector<std::string>{"Alpha", "Beta"}));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool Holds(CZorvikDrugDoc& document, const std::string& tradeName) {
    const std::vector<std::string> names = TradeNames(document);
    return std::find(names.begin(), names.end(), tradeName) != names.end();
}

// Nor is it reloaded under any other dialog, which may be editing the
// current drug as it was.
TEST_F(SharedFileTest, AnUnmodifiedDictionaryIsReloadedOnlyOnceNoDialogAsks) {
    CZorvikDrugDoc* document = Open(Numbered(2));
    QDialog dialog(frame.get());
    QTimer::singleShot(0, &dialog, [&] {
        WriteAsOthers(document->GetPathName(), Numbered(3), Write::AtomicRename);
        QTest::qWait(500);
        EXPECT_EQ(document->GetRecordCount(), 2) << "nothing reloaded under the dialog";
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(WaitUntil([&] { return document->GetRecordCount() == 3; }));
}

// A colleague's save while the conflicts of a merge are being settled is
// not reloaded under the dialog (the merge would undo it): it is offered
// once the merge is done.
TEST_F(SharedFileTest, AChangeOnDiskDuringAMergeWaitsForIt) {
    CZorvikDrugDoc* document = Open({Names("Alpha"), Names("Beta")});
    std::vector<DrugFields> colleague = {Names("Beta"), Names("Gamma")};
    colleague[0].usage = "other";
    const QString path = files.filePath(QStringLiteral("colleague.zvk"));
    WriteFile(path, ImageOf(colleague));
    conflictScript.whileShown = [&] {
        WriteAsOthers(document->GetPathName(), {Names("Alpha"), Names("Beta"), Names("Delta")},
                      Write::AtomicRename);
        QTest::qWait(500);
        EXPECT_EQ(document->GetRecordCount(), 2) << "nothing reloaded meanwhile";
    };
    EXPECT_TRUE(window->Sharing().MergeFile(path));
    EXPECT_EQ(TradeNames(*document), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));

    ASSERT_TRUE(WaitUntil([&] { return window->ChangeBar()->isVisible(); }));
    conflictScript.whileShown = nullptr;
    QTest::mouseClick(window->ChangeBar()->Button(0), Qt::LeftButton);
    EXPECT_TRUE(Holds(*document, "Delta"));
    EXPECT_TRUE(Holds(*document, "Gamma"));
}

// Two copies left before the dictionary opened, one made while it is open:
// each offered in turn, to merge or to ignore.
TEST_F(SharedFileTest, ConflictCopiesBesideTheFileAreOfferedForMerging) {
    // Named after the file the fixture writes first.
    WriteFile(files.filePath(QStringLiteral("drugs1 (conflicted copy 2026-12-10).zvk")),
              ImageOf({Names("Alpha"), Names("FromNextcloud")}));
    WriteFile(files.filePath(QStringLiteral("drugs1 (Wang's conflicted copy 2026-12-10).zvk")),
              ImageOf({Names("Alpha"), Names("FromDrive")}));
    CZorvikDrugDoc* document = Open({Names("Alpha")});
    ASSERT_EQ(QFileInfo(document->GetPathName()).fileName(), QStringLiteral("drugs1.zvk"));
    FileChangeBar* bar = window->ConflictCopyBar();
    ASSERT_TRUE(WaitUntil([&] { return bar->isVisible(); }));
    EXPECT_TRUE(bar->Text().contains(QStringLiteral("conflicted copy")));
    QTest::mouseClick(bar->Button(0), Qt::LeftButton);
    ASSERT_TRUE(bar->isVisible()) << "the second copy";
    QTest::mouseClick(bar->Button(0), Qt::LeftButton);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(Holds(*document, "FromNextcloud"));
    EXPECT_TRUE(Holds(*document, "FromDrive"));

    const QString during =
        files.filePath(QStringLiteral("drugs1.sync-conflict-20261210-101010-ABCDEFG.zvk"));
    WriteFile(during, ImageOf({Names("Alpha"), Names("FromSyncthing")}));
    ASSERT_TRUE(WaitUntil([&] { return bar->isVisible(); }));
    EXPECT_TRUE(bar->Text().contains(QFileInfo(during).fileName()));
    QTest::mouseClick(bar->Button(1), Qt::LeftButton);
    EXPECT_FALSE(bar->isVisible()) << "ignored";
    EXPECT_FALSE(Holds(*document, "FromSyncthing"));
}

TEST(ConflictCopyNames, AreTheSyncServicesNamesOfTheSameFile) {
    const struct {
        const char* name;
        bool copy;
    } cases[] = {
        {"team.sync-conflict-20240101-120000-ABCDEFG.zvk", true},
        {"team (conflicted copy 2024-01-01 120000).zvk", true},
        {"team (Wang's conflicted copy 2024-01-01).zvk", true},
        {"team.zvk", false},
        {"team (1).zvk", false},
        {"other.sync-conflict-20240101-120000-ABCDEFG.zvk", false},
        {"team.sync-conflict-20240101-120000-ABCDEFG.csv", false},
        {"teammate (conflicted copy 2024-01-01).zvk", false},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(
            platform::IsConflictCopyName(QString::fromUtf8(test.name), QStringLiteral("team.zvk")),
            test.copy)
            << test.name;
    }
}

}  // namespace
}  // namespace quorbex::testing
