// The application: one main window, the one document type (dictionaries),
// the recent-file list, and the application-wide commands.
#pragma once

#include <QSize>
#include <memory>

#include "command_target.h"
#include "document_template.h"
#include "drug_app_user_interface.h"
#include "recent_file_list.h"

namespace quorbex {

class CMainFrame;

class DrugApp : public platform::CommandTarget {
public:
    static constexpr int RECENT_FILE_COUNT = 4;

    // Makes the main window (not yet shown) for a screen of screenSize.
    explicit DrugApp(QSize screenSize);
    ~DrugApp() override;

    DrugApp(const DrugApp&) = delete;
    DrugApp& operator=(const DrugApp&) = delete;

    // Opens path as a dictionary, or activates its window if it is open.
    platform::Document* OpenDocumentFile(const QString& path);

    void OnFileNew();
    void OnFileOpen();
    void OnAppAbout();
    void OnFilePrintSetup();
    void OnOpenRecentFile(unsigned id);

    CMainFrame& MainFrame() const { return *m_mainFrame; }
    platform::DocumentTemplate& DocTemplate() const { return *m_template; }
    platform::RecentFileList& RecentFiles() { return m_recentFiles; }
    DrugAppUserInterface& Ui() { return m_ui; }

private:
    DrugAppUserInterface m_ui;
    platform::RecentFileList m_recentFiles{RECENT_FILE_COUNT};
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<platform::DocumentTemplate> m_template;
};

}  // namespace quorbex
