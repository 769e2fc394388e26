// A main window assembled as the application assembles it: the dictionary
// document type, dictionary windows, the recent-file list and an
// application-level target, with scripted user-interface services.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <ostream>
#include <vector>

#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "frames/program_style.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/document_template.h"
#include "platform/framework_ids.h"
#include "platform/recent_file_list.h"
#include "resources/document_strings.h"
#include "tests/support/command_id_printer.h"
#include "tests/support/dictionary_builder.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/memory_file.h"
#include "tests/support/qstring_printer.h"
#include "views/zorvik_drug_tree_view.h"

namespace quorbex::testing {

// Stands for the application object: it takes the application-wide
// commands from the main window and remembers them.
class RecordingApplication {
public:
    void Connect(CMainFrame& frame) {
        for (platform::CommandId id : {platform::ID_FILE_NEW, platform::ID_FILE_OPEN,
                                       platform::ID_FILE_PRINT_SETUP, platform::ID_APP_ABOUT}) {
            QObject::connect(&frame.Action(id), &QAction::triggered, &frame,
                             [this, id] { commands.push_back(id); });
        }
        QObject::connect(&frame, &CMainFrame::recentFileChosen, &frame,
                         [this](int index) { recentFiles.push_back(index); });
    }

    std::vector<platform::CommandId> commands;
    std::vector<int> recentFiles;
};

class MainFrameTest : public ::testing::Test {
protected:
    static constexpr QSize SCREEN{1024, 768};

    MainFrameTest() {
        // The application's style, which the application installs first.
        if (qobject_cast<ProgramStyle*>(QApplication::style()) == nullptr) {
            QApplication::setStyle(new ProgramStyle);
        }
        frame = std::make_unique<CMainFrame>(ui, SCREEN);
        docTemplate = std::make_unique<platform::DocumentTemplate>(
            DrugDocumentStrings(), ui, [this] { return std::make_unique<CZorvikDrugDoc>(ui); },
            [this](platform::Document& document) {
                auto window = std::make_unique<CZorvikDrugFrame>(
                    static_cast<CZorvikDrugDoc&>(document), SCREEN.width(),
                    [this] { return std::make_unique<FakeDrugEntry>(entryScript); },
                    [this] { return std::make_unique<FakeConflictPrompt>(conflictScript); });
                frame->AddDrugFrame(*window);
                return window;
            },
            &recentFiles);
        frame->SetDocTemplate(docTemplate.get());
        frame->SetRecentFiles(&recentFiles);
        application.Connect(*frame);
    }

    ~MainFrameTest() override {
        docTemplate.reset();
        frame.reset();
        // Closed dictionary windows are deleted from the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void ShowFrame() {
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    // Lets the queued work of the windows run: menu switches, deletions.
    static void ProcessEvents() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // A new, untitled dictionary in a window of its own.
    CZorvikDrugDoc* NewDictionary() {
        auto* document = static_cast<CZorvikDrugDoc*>(docTemplate->OpenDocumentFile(QString()));
        EXPECT_NE(document, nullptr);
        ProcessEvents();
        return document;
    }

    // A dictionary file with records named after tradeNames, opened in a window.
    CZorvikDrugDoc* OpenDictionary(const std::vector<std::string>& tradeNames) {
        std::vector<DrugFields> records;
        for (const std::string& name : tradeNames) {
            records.push_back(Names(name));
        }
        return OpenRecords(records);
    }

    // A dictionary file of records, opened in a window.
    CZorvikDrugDoc* OpenRecords(const std::vector<DrugFields>& records) {
        RecordStore store;
        AppendAll(store, records);
        MemoryFile image;
        EXPECT_TRUE(store.SaveToFile(&image));
        const QString path = files.filePath(QStringLiteral("drugs%1.zvk").arg(++m_fileCount));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(image.bytes.data()),
                   static_cast<qint64>(image.bytes.size()));
        file.close();
        auto* document = static_cast<CZorvikDrugDoc*>(docTemplate->OpenDocumentFile(path));
        EXPECT_NE(document, nullptr);
        ProcessEvents();
        return document;
    }

    CZorvikDrugFrame* DrugFrameOf(const platform::Document& document) const {
        return static_cast<CZorvikDrugFrame*>(docTemplate->WindowOf(document));
    }

    // The tree item of result row in a dictionary window, and the number
    // of results under the root.
    static QModelIndex ResultRow(const CZorvikDrugFrame& window, int row) {
        return window.TreeView()->ResultIndex(row);
    }
    static int TreeResultCount(const CZorvikDrugFrame& window) {
        return window.TreeView()->model()->rowCount(window.TreeView()->RootIndex());
    }

    int OpenWindowCount() const {
        return static_cast<int>(frame->MdiArea()->subWindowList().size());
    }

    FakeUserInterface ui;
    FakeDrugEntry::Script entryScript;
    FakeConflictPrompt::Script conflictScript;
    platform::RecentFileList recentFiles{4};
    RecordingApplication application;
    QTemporaryDir files;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<platform::DocumentTemplate> docTemplate;

private:
    int m_fileCount = 0;
};

}  // namespace quorbex::testing
