#include "app/drug_app.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QPageSetupDialog>
#include <QSettings>
#include <cstdio>
#include <ranges>

#include "app/about_dialog.h"
#include "app/command_line_info.h"
#include "app/drug_exchange.h"
#include "app/file_printing.h"
#include "app/guide_window.h"
#include "app/handbook_commands.h"
#include "app/startup_dialog.h"
#include "dialogs/recovery_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "frames/main_status_bar.h"
#include "frames/program_style.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/device_file.h"
#include "platform/document_recovery.h"
#include "platform/framework_ids.h"
#include "platform/instance_requests.h"
#include "platform/profile.h"
#include "platform/recovery_file.h"
#include "platform/shell_integration.h"
#include "platform/svg_icon.h"
#include "resources/document_strings.h"
#include "resources/icon_ids.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "views/drug_handbook.h"
#include "views/shared_printer.h"

namespace quorbex {

namespace {

// The name of the one running instance of the program.
const QString INSTANCE_NAME = QStringLiteral("Quorbex");
constexpr int STARTUP_LIST_MAX = 10;
// Whether a save keeps the replaced file as a backup; on unless turned off.
const QString KEEP_BACKUP_KEY = QStringLiteral("Options/KeepBackup");

platform::ShellFileType DictionaryFileType(const platform::DocumentStrings& strings) {
    platform::ShellFileType type;
    type.applicationId = QStringLiteral(QUORBEX_APP_ID);
    type.executable = QCoreApplication::applicationFilePath();
    type.mimeType = QStringLiteral("application/x-") + strings.regFileTypeId.toLower();
    type.desktopEntryTemplate = QStringLiteral(":/desktop/%1.desktop.in").arg(type.applicationId);
    type.mimePackage = QStringLiteral(":/desktop/%1.xml").arg(type.applicationId);
    type.applicationIcon = IconPath(IDR_MAINFRAME);
    type.documentIcon = IconPath(IDR_DRUGTYPE);
    return type;
}

// The cause of a refused folder, in the user's words.
QString FolderProblemText(const platform::FolderCheck& check) {
    using Problem = platform::FolderCheck::Problem;
    switch (check.problem) {
        case Problem::IsLink:
            return Tr(UiText::FolderIsLink);
        case Problem::OtherOwner:
            return Tr(UiText::FolderOtherOwner);
        case Problem::NotAFolder:
            return Tr(UiText::FolderNotAFolder);
        case Problem::OpenToOthers:
            return Tr(UiText::FolderOpenToOthers);
        case Problem::SystemError:
        case Problem::None:
            break;
    }
    return platform::DescribeSystemError(check.systemError);
}

}  // namespace

DrugApp::DrugApp(std::unique_ptr<DrugAppUserInterface> ui) : m_ui(std::move(ui)) {}

void DrugApp::NameApplication() {
    QApplication::setApplicationName(QStringLiteral("Quorbex"));
    QApplication::setOrganizationName(QStringLiteral("Kestavon"));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORBEX_APP_ID));
    QApplication::setWindowIcon(platform::SvgIcon(IconPath(IDR_MAINFRAME)));
}

DrugApp::~DrugApp() {
    // Dictionary windows live in the main window: they go first.
    if (m_template) {
        m_template->CloseAllDocuments();
    }
    m_ui->SetMainWindow(nullptr);
}

bool DrugApp::InitInstance(const QStringList& arguments, QSize screenSize) {
    const CommandLineInfo commandLine = ParseCommandLine(arguments);
    // A handbook for a script needs neither a window nor the one instance.
    if (commandLine.shellCommand == CommandLineInfo::ShellCommand::FileHandbook) {
        QString error;
        const QString out = commandLine.printerName.isEmpty()
                                ? DefaultPdfPath(commandLine.fileName, QString())
                                : commandLine.printerName;
        if (!WriteHandbookPdf(commandLine.fileName, out, commandLine.handbookSortKey, error)) {
            std::fprintf(stderr, "quorbex: %s\n", qPrintable(error));
            m_exitCode = 2;
        }
        return false;
    }

    m_hMutex = std::make_unique<platform::SingleInstance>(INSTANCE_NAME);
    if (!m_hMutex->Acquire()) {
        m_hMutex.reset();
        if (!HandOverToRunningInstance(commandLine)) {
            m_ui->MessageBox(Tr(UiText::OneInstanceOnly), QString(), QMessageBox::Critical);
        }
        return false;
    }
    QObject::connect(
        m_hMutex.get(), &platform::SingleInstance::requestsReceived,
        [this](const QStringList& requests) {
            for (const platform::InstanceRequest& request : platform::DecodeRequests(requests)) {
                HandleRequest(request);
            }
        });

    QSettings profile;
    for (const QString& path :
         platform::ReadRecentFileList(profile, RECENT_FILE_COUNT) | std::views::reverse) {
        m_recentFiles.Add(path);
    }
    m_recentFilesSave.setSingleShot(true);
    m_recentFilesSave.setInterval(RECENT_FILES_SAVE_DELAY_MS);
    QObject::connect(&m_recentFilesSave, &QTimer::timeout, [this] { SaveRecentFileList(); });
    QObject::connect(&m_recentFiles, &platform::RecentFileList::changed,
                     [this] { m_recentFilesSave.start(); });

    if (qobject_cast<ProgramStyle*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new ProgramStyle);
    }
    const platform::DocumentStrings strings = DrugDocumentStrings();
    m_mainFrame = std::make_unique<CMainFrame>(*m_ui, screenSize);
    const int screenWidth = screenSize.width();
    m_template = std::make_unique<platform::DocumentTemplate>(
        strings, *m_ui, [this] { return std::make_unique<CZorvikDrugDoc>(*m_ui); },
        [this, screenWidth](platform::Document& document) {
            // The template makes only the documents of its own factory above.
            auto frame = std::make_unique<CZorvikDrugFrame>(
                static_cast<CZorvikDrugDoc&>(document), screenWidth,
                [this] { return m_ui->CreateDrugEntryDialog(); },
                [this] { return m_ui->CreateConflictDialog(); });
            m_mainFrame->AddDrugFrame(*frame);
            return frame;
        },
        &m_recentFiles);
    m_mainFrame->SetDocTemplate(m_template.get());
    m_mainFrame->SetRecentFiles(&m_recentFiles);
    const bool keepBackup = profile.value(KEEP_BACKUP_KEY, true).toBool();
    m_template->SetKeepBackup(keepBackup);
    m_template->SetRecoveryFolder(platform::RecoveryFolder(),
                                  [this](const std::optional<platform::RecoveryFailure>& failure) {
                                      ReportRecovery(failure);
                                  });
    m_mainFrame->Action(ID_KEEP_BACKUP).setChecked(keepBackup);
    ConnectCommands();
    m_mainFrame->setAcceptDrops(true);
    m_ui->SetMainWindow(m_mainFrame.get());

    platform::RegisterAtStart(DictionaryFileType(strings), commandLine.registerDesktop);

    m_mainFrame->show();
    // Printing from the desktop asks nothing; the next ordinary start offers.
    if (commandLine.shellCommand != CommandLineInfo::ShellCommand::FilePrint &&
        commandLine.shellCommand != CommandLineInfo::ShellCommand::FilePrintTo) {
        OfferRecovery();
    }
    if (commandLine.shellCommand == CommandLineInfo::ShellCommand::FileNew ||
        commandLine.shellCommand == CommandLineInfo::ShellCommand::FileNothing) {
        RunStartupDialog();
    } else if (!ProcessShellCommand(commandLine)) {
        return false;
    }
    m_mainFrame->update();
    return true;
}

int DrugApp::ExitInstance() {
    if (m_hMutex) {
        m_recentFilesSave.stop();
        SaveRecentFileList();
        m_hMutex->Release();
        m_hMutex.reset();
    }
    return m_exitCode;
}

void DrugApp::ConnectCommands() {
    CMainFrame* frame = m_mainFrame.get();
    const auto on = [frame](platform::CommandId id, auto handler) {
        QObject::connect(&frame->Action(id), &QAction::triggered, frame, handler);
    };
    on(platform::ID_APP_ABOUT, [this] { OnAppAbout(); });
    on(platform::ID_FILE_NEW, [this] { OnFileNew(); });
    on(platform::ID_FILE_OPEN, [this] { OnFileOpen(); });
    on(platform::ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    QObject::connect(&frame->Action(ID_KEEP_BACKUP), &QAction::toggled, frame,
                     [this](bool keep) { OnKeepBackup(keep); });
    on(ID_FILE_IMPORT,
       [this] { ImportDrugs(*m_ui, *m_template, ActiveDocument(), m_ui->MainWindow()); });
    for (const bool resultsOnly : {false, true}) {
        on(resultsOnly ? ID_FILE_EXPORT_RESULTS : ID_FILE_EXPORT_ALL, [this, resultsOnly] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                ExportDrugs(*m_ui, *document, resultsOnly, m_ui->MainWindow());
            }
        });
    }
    const std::pair<platform::CommandId, HandbookOutput> handbooks[] = {
        {ID_HANDBOOK_PRINT, HandbookOutput::Print},
        {ID_HANDBOOK_PREVIEW, HandbookOutput::Preview},
        {ID_HANDBOOK_PDF, HandbookOutput::Pdf},
    };
    for (const auto& [id, output] : handbooks) {
        on(id, [this, output] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                OutputHandbook(*m_ui, *document, output,
                               m_mainFrame->Action(ID_HANDBOOK_RESULTS_ONLY).isChecked(),
                               QApplication::font(), m_ui->MainWindow());
            }
        });
    }
    on(ID_FILE_MERGE, [this] { OnFileMerge(); });
    on(ID_HELP_GUIDE, [this] { OnHelpGuide(); });
    QObject::connect(frame, &CMainFrame::recentFileChosen, frame,
                     [this](int index) { OnOpenRecentFile(index); });
}

void DrugApp::SaveRecentFileList() {
    QSettings profile;
    platform::WriteRecentFileList(profile, m_recentFiles.Paths(), RECENT_FILE_COUNT);
}

bool DrugApp::HandOverToRunningInstance(const CommandLineInfo& commandLine) {
    using Shell = CommandLineInfo::ShellCommand;
    using Kind = platform::InstanceRequest::Kind;
    if (commandLine.fileName.isEmpty()) {
        return false;
    }
    platform::InstanceRequest request{
        Kind::Open, QFileInfo(commandLine.fileName).absoluteFilePath(), QString()};
    if (commandLine.shellCommand == Shell::FilePrint) {
        request.kind = Kind::Print;
    } else if (commandLine.shellCommand == Shell::FilePrintTo) {
        request.kind = Kind::PrintTo;
        request.printer =
            commandLine.printerName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                ? QFileInfo(commandLine.printerName).absoluteFilePath()
                : commandLine.printerName;
    }
    platform::SingleInstance running(INSTANCE_NAME);
    return running.SendToRunningInstance(platform::EncodeRequests({request}));
}

void DrugApp::HandleRequest(const platform::InstanceRequest& request) {
    switch (request.kind) {
        case platform::InstanceRequest::Kind::Open:
            OpenDocumentFile(request.path);
            m_mainFrame->raise();
            m_mainFrame->activateWindow();
            break;
        case platform::InstanceRequest::Kind::Print:
            PrintDocumentFile(request.path, QString());
            break;
        case platform::InstanceRequest::Kind::PrintTo:
            PrintDocumentFile(request.path, request.printer);
            break;
    }
}

bool DrugApp::ProcessShellCommand(const CommandLineInfo& commandLine) {
    using Shell = CommandLineInfo::ShellCommand;
    switch (commandLine.shellCommand) {
        case Shell::FileOpen:
            // A file that cannot be opened ends the program with a failure.
            if (OpenDocumentFile(commandLine.fileName) == nullptr) {
                m_exitCode = 1;
                return false;
            }
            return true;
        case Shell::FilePrint:
        case Shell::FilePrintTo:
            // The program ends once the file is printed.
            m_exitCode = PrintDocumentFile(commandLine.fileName, commandLine.printerName) ? 0 : 1;
            return false;
        default:
            return true;
    }
}

bool DrugApp::PrintDocumentFile(const QString& path, const QString& printerName) {
    return PrintDictionaryFile(*m_template, *m_mainFrame, path, printerName);
}

void DrugApp::OfferRecovery() {
    const std::vector<platform::FoundRecovery> found =
        platform::FindRecoveries(*m_template, platform::RecoveryFolder());
    if (found.size() < 2) {
        platform::OfferEachRecovery(*m_ui, *m_template, found);
        return;
    }
    RecoveryDialog dialog(found, m_ui->MainWindow());
    dialog.exec();
    switch (dialog.GetChoice()) {
        case RecoveryDialog::Choice::RestoreAll:
            for (const platform::FoundRecovery& entry : found) {
                platform::RestoreRecovery(*m_template, entry);
            }
            break;
        case RecoveryDialog::Choice::DiscardAll:
            for (const platform::FoundRecovery& entry : found) {
                platform::DiscardRecovery(entry);
            }
            break;
        case RecoveryDialog::Choice::OneByOne:
            platform::OfferEachRecovery(*m_ui, *m_template, found);
            break;
        case RecoveryDialog::Choice::AskLater:
            break;
    }
}

void DrugApp::ReportRecovery(const std::optional<platform::RecoveryFailure>& failure) {
    if (!failure) {
        if (m_recoveryFailing) {
            m_recoveryFailing = false;
            m_mainFrame->StatusBar()->ShowWarning(QString());
        }
        return;
    }
    if (m_recoveryFailing) {
        return;
    }
    m_recoveryFailing = true;
    const QString cause = FolderProblemText(failure->check);
    m_mainFrame->StatusBar()->ShowWarning(Tr(UiText::RecoveryWriteStatus).arg(cause));
    m_ui->MessageBox(
        Tr(UiText::RecoveryWriteFailed).arg(QDir::toNativeSeparators(failure->folder), cause),
        QString(), QMessageBox::Warning);
}

void DrugApp::RunStartupDialog() {
    QSettings profile;
    StartupDialog dialog(*m_ui, platform::ReadRecentFilesUntilGap(profile, STARTUP_LIST_MAX),
                         m_ui->MainWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (dialog.m_nChoice == StartupDialog::CHOICE_NEW_EMPTY) {
        OnFileNew();
    } else if (dialog.m_nChoice == StartupDialog::CHOICE_OPEN_RECENT) {
        OpenDocumentFile(dialog.m_strPath);
    }
}

platform::Document* DrugApp::OpenDocumentFile(const QString& path) {
    return m_template->OpenDocumentFile(path);
}

void DrugApp::OnFileNew() {
    m_template->OpenDocumentFile(QString());
}

void DrugApp::OnFileOpen() {
    const QString path = QFileDialog::getOpenFileName(m_ui->MainWindow(), Tr(UiText::OpenTitle),
                                                      QString(), m_template->FileDialogFilter());
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

// Another dictionary merged into the active one; the chooser starts in the
// active one's folder, where conflict copies and colleagues' files are.
void DrugApp::OnFileMerge() {
    CZorvikDrugFrame* frame = m_mainFrame->ActiveDrugFrame();
    if (frame == nullptr) {
        return;
    }
    const QString folder = QFileInfo(frame->GetDocument().GetPathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(
        m_ui->MainWindow(), Tr(UiText::MergeTitle),
        frame->GetDocument().GetPathName().isEmpty() ? QString() : folder,
        m_template->FileDialogFilter());
    if (!path.isEmpty()) {
        frame->Sharing().MergeFile(path);
    }
}

void DrugApp::OnAppAbout() {
    AboutDialog dialog(m_ui->MainWindow());
    dialog.DoModal();
}

void DrugApp::OnKeepBackup(bool keep) {
    m_template->SetKeepBackup(keep);
    QSettings().setValue(KEEP_BACKUP_KEY, keep);
}

CZorvikDrugDoc* DrugApp::ActiveDocument() const {
    CZorvikDrugFrame* frame = m_mainFrame->ActiveDrugFrame();
    return frame != nullptr ? &frame->GetDocument() : nullptr;
}

void DrugApp::OnHelpGuide() {
    const QString folder = FindGuideFolder();
    if (folder.isEmpty()) {
        m_ui->MessageBox(Tr(UiText::GuideMissing)
                             .arg(QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral("../" QUORBEX_INSTALLED_GUIDE_DIR))),
                         Tr(UiText::GuideTitle), QMessageBox::Critical);
        return;
    }
    if (!m_guide) {
        m_guide = std::make_unique<GuideWindow>(folder, m_ui->MainWindow());
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void DrugApp::OnFilePrintSetup() {
    QPageSetupDialog dialog(&SharedPrinter(), m_ui->MainWindow());
    dialog.setWindowTitle(Tr(UiText::PrintSetupTitle));
    dialog.exec();
}

// A recent file that no longer opens leaves the list.
void DrugApp::OnOpenRecentFile(int index) {
    const QString path = m_recentFiles.Paths().value(index);
    if (!path.isEmpty() && OpenDocumentFile(path) == nullptr) {
        m_recentFiles.Remove(index);
    }
}

}  // namespace quorbex
