// The application: one running instance per user, one main window, the one
// document type (dictionaries), the recent-file list kept in the user's
// settings, the desktop's file type, the command line, and the
// application-wide commands.
#pragma once

#include <QSize>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

#include "app/drug_app_user_interface.h"
#include "platform/document_template.h"
#include "platform/recent_file_list.h"
#include "platform/single_instance.h"

namespace quorbex {

class CMainFrame;
class CZorvikDrugDoc;
class GuideWindow;
struct CommandLineInfo;

namespace platform {
struct InstanceRequest;
struct RecoveryFailure;
}  // namespace platform

class DrugApp {
public:
    static constexpr int RECENT_FILE_COUNT = 4;
    static constexpr int RECENT_FILES_SAVE_DELAY_MS = 1000;

    explicit DrugApp(
        std::unique_ptr<DrugAppUserInterface> ui = std::make_unique<DrugAppUserInterface>());
    ~DrugApp();

    DrugApp(const DrugApp&) = delete;
    DrugApp& operator=(const DrugApp&) = delete;

    // Gives the running QApplication the program's name, maker, desktop
    // entry and icon, which settings, window managers and docks go by.
    static void NameApplication();

    // Starts the program with the arguments after its name, for a screen of
    // screenSize. False when the program should end at once: another
    // instance runs, a named file could not be opened, or it was printed.
    bool InitInstance(const QStringList& arguments, QSize screenSize);
    // Writes the settings back and lets the next instance run; answers the exit code.
    int ExitInstance();

    // Lets the user choose a new dictionary or a recent one, and opens it.
    void RunStartupDialog();
    // Opens path as a dictionary, or activates its window if it is open.
    platform::Document* OpenDocumentFile(const QString& path);

    void OnFileNew();
    void OnFileOpen();
    void OnFileMerge();
    void OnAppAbout();
    void OnFilePrintSetup();
    // Turns the backup of saved files on or off, for now and later starts.
    void OnKeepBackup(bool keep);
    // Shows the user guide.
    void OnHelpGuide();
    // Opens the recent file at index, 0 the newest.
    void OnOpenRecentFile(int index);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    platform::DocumentTemplate* DocTemplate() const { return m_template.get(); }
    platform::RecentFileList& RecentFiles() { return m_recentFiles; }
    DrugAppUserInterface& Ui() { return *m_ui; }

private:
    // The application's own commands, from the main window's actions.
    void ConnectCommands();
    bool HandOverToRunningInstance(const CommandLineInfo& commandLine);
    bool ProcessShellCommand(const CommandLineInfo& commandLine);
    void HandleRequest(const platform::InstanceRequest& request);
    bool PrintDocumentFile(const QString& path, const QString& printerName);
    // Offers the unsaved changes that an earlier run left in recovery files.
    void OfferRecovery();
    // Tells the user, once until a write succeeds again, that the recovery
    // files cannot be written, and why.
    void ReportRecovery(const std::optional<platform::RecoveryFailure>& failure);
    void SaveRecentFileList();
    CZorvikDrugDoc* ActiveDocument() const;

    std::unique_ptr<DrugAppUserInterface> m_ui;
    std::unique_ptr<platform::SingleInstance> m_hMutex;
    platform::RecentFileList m_recentFiles{RECENT_FILE_COUNT};
    // Writes the list a moment after it changed: an open does not wait for
    // the settings to reach the disk, nor does the window that it shows, and
    // changes that come together are written together.
    QTimer m_recentFilesSave;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<platform::DocumentTemplate> m_template;
    std::unique_ptr<GuideWindow> m_guide;
    int m_exitCode = 0;
    bool m_recoveryFailing = false;
};

}  // namespace quorbex
