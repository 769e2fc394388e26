#include "app/drug_app.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPageSetupDialog>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <ranges>

#include "app/about_dialog.h"
#include "app/command_line_info.h"
#include "app/drug_exchange.h"
#include "app/guide_window.h"
#include "app/handbook_commands.h"
#include "app/startup_dialog.h"
#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "frames/zorvik_drug_frame.h"
#include "platform/document_recovery.h"
#include "platform/framework_ids.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/recovery_file.h"
#include "platform/shell_integration.h"
#include "resources/document_strings.h"
#include "resources/icon_ids.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"
#include "views/drug_handbook.h"
#include "views/shared_printer.h"
#include "views/zorvik_drug_view.h"

namespace quorbex {

namespace {

const QString COMPANY_KEY = QStringLiteral("Kestavon");
const QString APPLICATION_KEY = QStringLiteral("Quorbex");
constexpr int STARTUP_LIST_MAX = 10;
// Whether a save keeps the replaced file as a backup; on unless turned off.
const QString KEEP_BACKUP_KEY = QStringLiteral("Options/KeepBackup");
// More than a full dictionary with its names: no recovery file of ours.
constexpr qint64 RECOVERY_FILE_LIMIT = 4 * 1024 * 1024;

// Requests handed from a later start to the running instance.
const QString REQUEST_OPEN = QStringLiteral("open");
const QString REQUEST_PRINT = QStringLiteral("print");
const QString REQUEST_PRINT_TO = QStringLiteral("printto");

QSettings Profile() {
    return QSettings(COMPANY_KEY, APPLICATION_KEY);
}

// A program started from a build folder is not the one a user installed:
// its folder, or one above it, holds the build's cache.
bool RunsFromBuildFolder() {
    QDir folder(QCoreApplication::applicationDirPath());
    do {
        if (folder.exists(QStringLiteral("CMakeCache.txt"))) {
            return true;
        }
    } while (folder.cdUp());
    return false;
}

// The program and its file type on the desktop. An installed registration
// (the package's) wins: the user's folder then keeps nothing of the
// program's. A build registers itself only when asked to.
void RegisterShellFileTypes(const platform::DocumentStrings& strings, bool askedFor) {
    platform::ShellFileType type;
    type.applicationId = QStringLiteral(QUORBEX_APP_ID);
    type.executable = QCoreApplication::applicationFilePath();
    type.mimeType = QStringLiteral("application/x-") + strings.regFileTypeId.toLower();
    type.desktopEntryTemplate = QStringLiteral(":/desktop/%1.desktop.in").arg(type.applicationId);
    type.mimePackage = QStringLiteral(":/desktop/%1.xml").arg(type.applicationId);
    type.applicationIcon = IconPath(IDR_MAINFRAME);
    type.documentIcon = IconPath(IDR_DRUGTYPE);
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (platform::HasInstalledDesktopEntry(type, dataHome)) {
        platform::UnregisterShellFileType(type, dataHome);
    } else if (askedFor || !RunsFromBuildFolder()) {
        platform::RegisterShellFileType(type, dataHome);
    }
}

}  // namespace

DrugApp::DrugApp(std::unique_ptr<DrugAppUserInterface> ui) : m_ui(std::move(ui)) {}

DrugApp::~DrugApp() {
    // Dictionary windows live in the main window: they go first.
    if (m_template) {
        m_template->CloseAllDocuments();
    }
    m_ui->SetMainFrame(nullptr);
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

    m_hMutex = std::make_unique<platform::SingleInstance>(APPLICATION_KEY);
    if (!m_hMutex->Acquire()) {
        m_hMutex.reset();
        if (!HandOverToRunningInstance(commandLine)) {
            m_ui->MessageBox(Tr(UiText::OneInstanceOnly), QString(), platform::MB_ICONERROR);
        }
        return false;
    }
    QObject::connect(m_hMutex.get(), &platform::SingleInstance::requestsReceived,
                     [this](const QStringList& requests) { HandleRequests(requests); });

    QSettings profile = Profile();
    for (const QString& path :
         platform::ReadRecentFileList(profile, RECENT_FILE_COUNT) | std::views::reverse) {
        m_recentFiles.Add(path);
    }
    QObject::connect(&m_recentFiles, &platform::RecentFileList::changed,
                     [this] { SaveRecentFileList(); });

    const platform::DocumentStrings strings = DrugDocumentStrings();
    m_mainFrame = std::make_unique<CMainFrame>(*m_ui, screenSize);
    const int screenWidth = screenSize.width();
    m_template = std::make_unique<platform::DocumentTemplate>(
        strings, *m_ui,
        [this] {
            return std::make_unique<CZorvikDrugDoc>(
                *m_ui, [this] { return m_ui->CreateDrugEntryDialog(); });
        },
        [this, screenWidth](platform::Document& document) {
            auto frame = std::make_unique<CZorvikDrugFrame>(document, screenWidth);
            m_mainFrame->AddDrugFrame(*frame);
            return frame;
        },
        &m_recentFiles);
    m_mainFrame->SetDocTemplate(m_template.get());
    m_mainFrame->SetRecentFiles(&m_recentFiles);
    const bool keepBackup = profile.value(KEEP_BACKUP_KEY, true).toBool();
    m_template->SetKeepBackup(keepBackup);
    m_template->SetRecoveryFolder(platform::RecoveryFolder());
    m_mainFrame->Action(ID_KEEP_BACKUP)->setChecked(keepBackup);
    ConnectCommands();
    m_mainFrame->setAcceptDrops(true);
    m_ui->SetMainFrame(m_mainFrame.get());

    RegisterShellFileTypes(strings, commandLine.registerDesktop);

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
        SaveRecentFileList();
        m_hMutex->Release();
        m_hMutex.reset();
    }
    return m_exitCode;
}

void DrugApp::ConnectCommands() {
    CMainFrame* frame = m_mainFrame.get();
    const auto on = [frame](unsigned id, auto handler) {
        QObject::connect(frame->Action(id), &QAction::triggered, frame, handler);
    };
    on(platform::ID_APP_ABOUT, [this] { OnAppAbout(); });
    on(platform::ID_FILE_NEW, [this] { OnFileNew(); });
    on(platform::ID_FILE_OPEN, [this] { OnFileOpen(); });
    on(platform::ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    QObject::connect(frame->Action(ID_KEEP_BACKUP), &QAction::toggled, frame,
                     [this](bool keep) { OnKeepBackup(keep); });
    on(ID_FILE_IMPORT,
       [this] { ImportDrugs(*m_ui, *m_template, ActiveDocument(), m_ui->MainWindow()); });
    for (const bool resultsOnly : {false, true}) {
        on(resultsOnly ? ID_FILE_EXPORT_RESULTS : ID_FILE_EXPORT_ALL, [this, resultsOnly] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                ExportDrugs(*m_ui, *document, resultsOnly);
            }
        });
    }
    const std::pair<unsigned, HandbookOutput> handbooks[] = {
        {ID_HANDBOOK_PRINT, HandbookOutput::Print},
        {ID_HANDBOOK_PREVIEW, HandbookOutput::Preview},
        {ID_HANDBOOK_PDF, HandbookOutput::Pdf},
    };
    for (const auto& [id, output] : handbooks) {
        on(id, [this, output] {
            if (CZorvikDrugDoc* document = ActiveDocument()) {
                OutputHandbook(*m_ui, *document, output,
                               m_mainFrame->Action(ID_HANDBOOK_RESULTS_ONLY)->isChecked(),
                               QApplication::font(), m_ui->MainWindow());
            }
        });
    }
    on(ID_HELP_GUIDE, [this] { OnHelpGuide(); });
    QObject::connect(frame, &CMainFrame::recentFileChosen, frame,
                     [this](int index) { OnOpenRecentFile(index); });
}

void DrugApp::SaveRecentFileList() {
    QSettings profile = Profile();
    platform::WriteRecentFileList(profile, m_recentFiles.Paths(), RECENT_FILE_COUNT);
}

bool DrugApp::HandOverToRunningInstance(const CommandLineInfo& commandLine) {
    using Shell = CommandLineInfo::ShellCommand;
    if (commandLine.fileName.isEmpty()) {
        return false;
    }
    const QString path = QFileInfo(commandLine.fileName).absoluteFilePath();
    QStringList request;
    switch (commandLine.shellCommand) {
        case Shell::FilePrint:
            request = {REQUEST_PRINT, path};
            break;
        case Shell::FilePrintTo:
            request = {REQUEST_PRINT_TO, path,
                       commandLine.printerName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
                           ? QFileInfo(commandLine.printerName).absoluteFilePath()
                           : commandLine.printerName};
            break;
        default:
            request = {REQUEST_OPEN, path};
            break;
    }
    platform::SingleInstance running(APPLICATION_KEY);
    return running.SendToRunningInstance(request);
}

// Each request is its verb followed by its file and, to print to a printer,
// the printer's name, as separate strings: a path may hold any character.
void DrugApp::HandleRequests(const QStringList& requests) {
    for (qsizetype i = 0; i < requests.size();) {
        const QString& verb = requests[i];
        const QString path = requests.value(i + 1);
        if (verb == REQUEST_OPEN) {
            OpenDocumentFile(path);
            m_mainFrame->raise();
            m_mainFrame->activateWindow();
            i += 2;
        } else if (verb == REQUEST_PRINT) {
            PrintDocumentFile(path, QString());
            i += 2;
        } else if (verb == REQUEST_PRINT_TO) {
            PrintDocumentFile(path, requests.value(i + 2));
            i += 3;
        } else {
            break;
        }
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

void DrugApp::OfferRecovery() {
    const QDir folder(platform::RecoveryFolder());
    const QStringList names =
        folder.entryList({QStringLiteral("*") + QString::fromLatin1(platform::RECOVERY_SUFFIX)},
                         QDir::Files, QDir::Time | QDir::Reversed);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (platform::IsRecoveryFileInUse(path)) {
            continue;
        }
        std::optional<platform::RecoveryData> data;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.size() <= RECOVERY_FILE_LIMIT) {
            data = platform::DecodeRecovery(file.readAll());
        }
        file.close();
        const QString when =
            QLocale().toString(QFileInfo(path).lastModified(), QLocale::ShortFormat);
        int answer = platform::IDNO;
        if (data) {
            const QString shown = data->originalPath.isEmpty()
                                      ? data->title
                                      : QDir::toNativeSeparators(data->originalPath);
            answer = m_ui->MessageBox(Tr(UiText::RecoveryQuestion).arg(shown, when), QString(),
                                      platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
        }
        if (answer == platform::IDYES) {
            platform::Document* document = m_template->RecoverDocument(*data);
            if (document != nullptr) {
                // The restored changes are kept again before this file goes.
                if (auto* recovery = document->findChild<platform::DocumentRecovery*>()) {
                    recovery->WriteNow();
                }
                QFile::remove(path);
                continue;
            }
            data.reset();
        }
        if (!data) {
            answer =
                m_ui->MessageBox(Tr(UiText::RecoveryDamaged).arg(QDir::toNativeSeparators(path)),
                                 QString(), platform::MB_YESNO | platform::MB_ICONERROR);
            if (answer == platform::IDYES) {
                QFile::remove(path);
            }
        } else if (answer == platform::IDNO) {
            QFile::remove(path);
        }
    }
}

void DrugApp::RunStartupDialog() {
    QSettings profile = Profile();
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

// A file that is open already is printed from its window; another one opens
// for the print and closes again, leaving the windows as they stood.
bool DrugApp::PrintDocumentFile(const QString& path, const QString& printerName) {
    const std::vector<platform::Document*> before = m_template->GetDocuments();
    const CMainFrame::WindowArrangement arrangement = m_mainFrame->SaveArrangement();
    platform::Document* document = OpenDocumentFile(path);
    if (document == nullptr) {
        return false;
    }
    auto* frame = dynamic_cast<CZorvikDrugFrame*>(m_template->FrameOf(*document));
    const bool printed = frame != nullptr && frame->TextView()->PrintToPrinter(printerName);
    if (std::find(before.begin(), before.end(), document) == before.end()) {
        m_template->CloseDocument(*document);
    }
    m_mainFrame->RestoreArrangement(arrangement);
    return printed;
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

void DrugApp::OnAppAbout() {
    AboutDialog dialog(m_ui->MainWindow());
    dialog.DoModal();
}

void DrugApp::OnKeepBackup(bool keep) {
    m_template->SetKeepBackup(keep);
    Profile().setValue(KEEP_BACKUP_KEY, keep);
}

CZorvikDrugDoc* DrugApp::ActiveDocument() const {
    CZorvikDrugFrame* frame = m_mainFrame->ActiveDrugFrame();
    return frame != nullptr ? dynamic_cast<CZorvikDrugDoc*>(&frame->GetDocument()) : nullptr;
}

void DrugApp::OnHelpGuide() {
    const QString folder = FindGuideFolder();
    if (folder.isEmpty()) {
        m_ui->MessageBox(Tr(UiText::GuideMissing)
                             .arg(QDir(QCoreApplication::applicationDirPath())
                                      .filePath(QStringLiteral("../" QUORBEX_INSTALLED_GUIDE_DIR))),
                         Tr(UiText::GuideTitle), platform::MB_ICONERROR);
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
