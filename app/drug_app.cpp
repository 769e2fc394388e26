#include "drug_app.h"

#include <QFileDialog>
#include <QPageSetupDialog>

#include "about_dialog.h"
#include "document_strings.h"
#include "framework_ids.h"
#include "main_frame.h"
#include "shared_printer.h"
#include "zorvik_drug_doc.h"
#include "zorvik_drug_frame.h"

namespace quorbex {

DrugApp::DrugApp(QSize screenSize) : m_mainFrame(std::make_unique<CMainFrame>(m_ui, screenSize)) {
    const int screenWidth = screenSize.width();
    m_template = std::make_unique<platform::DocumentTemplate>(
        platform::DocumentStrings::Parse(QString::fromUtf8(IDR_DRUGTYPE_STRINGS)), m_ui,
        [this] {
            return std::make_unique<CZorvikDrugDoc>(
                m_ui, [this] { return m_ui.CreateDrugEntryDialog(); });
        },
        [this, screenWidth](platform::Document& document) {
            return std::make_unique<CZorvikDrugFrame>(*m_mainFrame, document, screenWidth);
        },
        &m_recentFiles);
    m_mainFrame->SetDocTemplate(m_template.get());
    m_mainFrame->SetApplication(this);
    m_mainFrame->SetRecentFiles(&m_recentFiles);
    m_ui.SetMainFrame(m_mainFrame.get());

    Commands().On(platform::ID_APP_ABOUT, [this] { OnAppAbout(); });
    Commands().On(platform::ID_FILE_NEW, [this] { OnFileNew(); });
    Commands().On(platform::ID_FILE_OPEN, [this] { OnFileOpen(); });
    Commands().On(platform::ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    Commands().OnRange(platform::ID_FILE_MRU_FILE1,
                       platform::ID_FILE_MRU_FILE1 + RECENT_FILE_COUNT - 1,
                       [this](unsigned id) { OnOpenRecentFile(id); });
}

DrugApp::~DrugApp() {
    // Dictionary windows live in the main window: close them first.
    m_template->CloseAllDocuments();
    m_ui.SetMainFrame(nullptr);
}

platform::Document* DrugApp::OpenDocumentFile(const QString& path) {
    return m_template->OpenDocumentFile(path);
}

void DrugApp::OnFileNew() {
    m_template->OpenDocumentFile(QString());
}

void DrugApp::OnFileOpen() {
    const QString path = QFileDialog::getOpenFileName(m_ui.MainWindow(), QStringLiteral("打开"),
                                                      QString(), m_template->FileDialogFilter());
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

void DrugApp::OnAppAbout() {
    AboutDialog dialog(m_ui.MainWindow());
    dialog.DoModal();
}

void DrugApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), m_ui.MainWindow());
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    dialog.exec();
}

// A recent file that no longer opens leaves the list.
void DrugApp::OnOpenRecentFile(unsigned id) {
    const int index = static_cast<int>(id - platform::ID_FILE_MRU_FILE1);
    const QString path = m_recentFiles.Paths().value(index);
    if (!path.isEmpty() && OpenDocumentFile(path) == nullptr) {
        m_recentFiles.Remove(index);
    }
}

}  // namespace quorbex
