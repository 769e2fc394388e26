// What the start-up tests share: an application whose message boxes are
// recorded instead of shown, private settings, data, runtime and file
// folders for every test, dictionary files, and the startup dialog driven
// from the event loop.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>
#include <vector>

#include "app/drug_app.h"
#include "app/drug_app_user_interface.h"
#include "app/startup_dialog.h"
#include "platform/document.h"
#include "platform/document_template.h"
#include "tests/support/recorded_messages.h"
#include "tests/support/test_files.h"

namespace quorbex::testing {

// The program's own services, except that message boxes are recorded and
// answered with OK; start-up asks no questions.
class RecordingAppUi : public DrugAppUserInterface {
public:
    using Message = RecordedMessage;

    // A queued name answers the next save dialog (nothing cancels it); with
    // none queued the real dialog shows.
    std::optional<QString> PromptSaveFileName(const QString& initialPath,
                                              const QString& filter) override {
        if (saveNames.empty()) {
            return DrugAppUserInterface::PromptSaveFileName(initialPath, filter);
        }
        saveDialogs.push_back(initialPath);
        const std::optional<QString> name = saveNames.front();
        saveNames.pop_front();
        return name;
    }

    std::vector<Message> messages;
    // the user's answers to the next questions, in order
    std::deque<QMessageBox::StandardButton> answers;
    std::deque<std::optional<QString>> saveNames;
    QStringList saveDialogs;                  // the initial path of each save dialog
    std::function<void()> whileMessageShown;  // looks at the program while a message shows

protected:
    QMessageBox::StandardButton ShowMessageBox(const QString& text, const QString& caption,
                                               QMessageBox::Icon icon,
                                               QMessageBox::StandardButtons buttons) override {
        return RecordMessage(messages, answers, {text, caption, icon, buttons}, whileMessageShown);
    }
};

// One application object with its recording services.
class TestApp {
public:
    TestApp() {
        auto ui = std::make_unique<RecordingAppUi>();
        m_ui = ui.get();
        m_app = std::make_unique<DrugApp>(std::move(ui));
    }

    DrugApp* operator->() const { return m_app.get(); }
    RecordingAppUi& Ui() const { return *m_ui; }

    std::vector<platform::Document*> Documents() const {
        return m_app->DocTemplate() != nullptr ? m_app->DocTemplate()->GetDocuments()
                                               : std::vector<platform::Document*>{};
    }

private:
    RecordingAppUi* m_ui;
    std::unique_ptr<DrugApp> m_app;
};

inline constexpr QSize TEST_SCREEN{1280, 800};

// Runs run() and hands the first modal window that shows meanwhile to
// whileOpen; whatever modal window is still open after that is closed, so
// that a test never hangs. Answers whether a modal window showed.
inline bool WhileModal(const std::function<void(QWidget&)>& whileOpen,
                       const std::function<void()>& run) {
    bool shown = false;
    QTimer timer;  // looks whenever events are processed, until a modal window shows
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        timer.stop();
        shown = true;
        whileOpen(*modal);
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            open->reject();
        }
    });
    timer.start(0);
    run();
    return shown;
}

// The startup dialog's push button with the given text.
inline QPushButton* DialogButton(QWidget& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

inline QStringList ListEntries(const QListWidget& list) {
    QStringList entries;
    for (int row = 0; row < list.count(); ++row) {
        entries.append(list.item(row)->text());
    }
    return entries;
}

inline void ClickItem(QListWidget& list, int row) {
    QListWidgetItem* item = list.item(row);
    ASSERT_NE(item, nullptr) << "no list entry " << row;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
}

// A temporary folder. The desktop's cache tools that registering the file
// type may have started can still be writing in it for a moment, so its
// removal is retried for a while. It is removed by the names' bytes: a test
// may leave a file whose name is not UTF-8, which Qt cannot name.
class ScratchFolder {
public:
    ScratchFolder() { m_folder.setAutoRemove(false); }
    ~ScratchFolder() {
        const std::filesystem::path root(QFile::encodeName(m_folder.path()).toStdString());
        for (int attempt = 0; attempt < 50; ++attempt) {
            std::error_code error;
            std::filesystem::remove_all(root, error);
            if (!error) {
                return;
            }
            QThread::msleep(100);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool isValid() const { return m_folder.isValid(); }
    QString path() const { return m_folder.path(); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
};

// A fresh settings, data and runtime folder for every test, and a folder for
// its files that is also the current folder; the shared ones of the test
// program come back afterwards.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_root.isValid());
        m_savedCurrent = QDir::currentPath();
        m_savedSettingsFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        StubCacheTools();
        UseFolders(Path(QStringLiteral("config")), Path(QStringLiteral("data")),
                   Path(QStringLiteral("runtime")));
        ASSERT_TRUE(QDir().mkpath(Files()));
        ASSERT_TRUE(QDir::setCurrent(Files()));
    }

    void TearDown() override {
        QDir::setCurrent(m_savedCurrent);
        for (const SavedVariable& saved : m_savedEnvironment) {
            if (saved.wasSet) {
                qputenv(saved.name, saved.value);
            } else {
                qunsetenv(saved.name);
            }
        }
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_savedSettingsFolder);
    }

    // Points the settings, the data and the runtime folder at the given
    // folders, creating them. QSettings keeps the settings folder it saw
    // first, so it is told as well.
    void UseFolders(const QString& config, const QString& data, const QString& runtime) {
        ASSERT_TRUE(QDir().mkpath(config));
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(runtime));
        ASSERT_TRUE(
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        // Recovery files beside the runtime folder, one set per test.
        qputenv("XDG_STATE_HOME", QFile::encodeName(runtime + QStringLiteral("-state")));
        // The machine's own data folders, where a package may have installed
        // the program, stay out of the tests too.
        ASSERT_TRUE(QDir().mkpath(System()));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(System()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
        ASSERT_TRUE(Profile().fileName().startsWith(config + QLatin1Char('/')));
        ASSERT_EQ(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), runtime);
        ASSERT_EQ(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), data);
    }

    // The desktop's cache tools are stand-ins that only note how they were
    // called, in CacheToolCalls(); the search path holds nothing else.
    void StubCacheTools() {
        const QString bin = Path(QStringLiteral("bin"));
        ASSERT_TRUE(QDir().mkpath(bin));
        for (const QString& tool :
             {QStringLiteral("update-mime-database"), QStringLiteral("update-desktop-database")}) {
            QFile script(QDir(bin).filePath(tool));
            ASSERT_TRUE(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\necho \"${0##*/} $*\" >> \"" +
                         QFile::encodeName(CacheToolLog()) + "\"\n");
            script.close();
            ASSERT_TRUE(
                script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        qputenv("PATH", QFile::encodeName(bin));
    }

    // The search path that the test program was started with.
    QStringList OriginalSearchPath() const {
        for (const SavedVariable& saved : m_savedEnvironment) {
            if (qstrcmp(saved.name, "PATH") == 0) {
                return QString::fromLocal8Bit(saved.value)
                    .split(QLatin1Char(':'), Qt::SkipEmptyParts);
            }
        }
        return {};
    }

    QString CacheToolLog() const { return Path(QStringLiteral("cache-tools.log")); }

    // The calls of the cache tools so far, one "tool arguments" line each.
    QStringList CacheToolCalls() const {
        QFile log(CacheToolLog());
        if (!log.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringList calls = QString::fromLocal8Bit(log.readAll()).split(QLatin1Char('\n'));
        calls.removeAll(QString());
        calls.sort();
        return calls;
    }

    QString Path(const QString& name) const { return m_root.filePath(name); }
    QString Data() const { return Path(QStringLiteral("data")); }
    // The system's data folder, where packages install.
    QString System() const { return Path(QStringLiteral("system")); }
    QString Runtime() const { return Path(QStringLiteral("runtime")); }
    QString Files() const { return Path(QStringLiteral("files")); }
    QString File(const QString& name) const { return QDir(Files()).filePath(name); }

    static QSettings Profile() {
        return QSettings(QStringLiteral("Kestavon"), QStringLiteral("Quorbex"));
    }

    // Writes the recent-file values File<number> as given, and only those.
    static void WriteRecentValues(const std::vector<std::pair<int, QString>>& values) {
        QSettings profile = Profile();
        profile.remove(QStringLiteral("Recent File List"));
        profile.beginGroup(QStringLiteral("Recent File List"));
        for (const auto& [number, path] : values) {
            profile.setValue(QStringLiteral("File%1").arg(number), path);
        }
        profile.endGroup();
        profile.sync();
    }

    static QStringList RecentValueNames() {
        QSettings profile = Profile();
        profile.beginGroup(QStringLiteral("Recent File List"));
        QStringList names = profile.childKeys();
        names.sort();
        return names;
    }

    static QString RecentValue(int number) {
        return Profile().value(QStringLiteral("Recent File List/File%1").arg(number)).toString();
    }

    // A dictionary of two drugs in the file folder; answers its full path.
    QString WriteDictionary(const QString& name) const {
        const QString path = File(name);
        WriteFileBytes(path, DictionaryFileBytes({Names(Gbk("阿莫西林"), "Amoxicillin"),
                                                  Names(Gbk("布洛芬"), "Ibuprofen")}));
        return path;
    }

    // A file with a dictionary's length but a wrong magic number.
    QString WriteDamaged(const QString& name) const {
        const QString path = File(name);
        WriteFileBytes(path, Scrambled(PlainHeader(0, 0x12345678)));
        return path;
    }

    // Starts app; any modal window that shows is closed at once, and
    // shownModal tells which: "StartupDialog" or the window's class name.
    bool StartWithoutDialog(TestApp& app, const QStringList& arguments) {
        bool started = false;
        const bool modal = WhileModal(
            [this](QWidget& shown) {
                shownModal = dynamic_cast<StartupDialog*>(&shown) != nullptr
                                 ? QStringLiteral("StartupDialog")
                                 : QString::fromLatin1(shown.metaObject()->className());
            },
            [&] { started = app->InitInstance(arguments, TEST_SCREEN); });
        if (!modal) {
            shownModal.clear();
        }
        return started;
    }

    // Starts app with no arguments and lets act work the startup dialog.
    bool StartThroughDialog(TestApp& app, const std::function<void(StartupDialog&)>& act) {
        bool started = false;
        dialogShown = WhileModal(
            [&act](QWidget& shown) {
                auto* dialog = dynamic_cast<StartupDialog*>(&shown);
                ASSERT_NE(dialog, nullptr) << "not the startup dialog";
                act(*dialog);
            },
            [&] { started = app->InitInstance({}, TEST_SCREEN); });
        return started;
    }

    QString shownModal;
    bool dialogShown = false;

private:
    ScratchFolder m_root;
    struct SavedVariable {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    static SavedVariable Saved(const char* name) {
        return {name, qEnvironmentVariableIsSet(name), qgetenv(name)};
    }

    const std::vector<SavedVariable> m_savedEnvironment{
        Saved("XDG_CONFIG_HOME"), Saved("XDG_DATA_HOME"),  Saved("XDG_DATA_DIRS"),
        Saved("XDG_RUNTIME_DIR"), Saved("XDG_STATE_HOME"), Saved("PATH")};
    QString m_savedSettingsFolder;
    QString m_savedCurrent;
};

inline void ExpectMessage(const RecordingAppUi::Message& message, const QString& text,
                          const QString& caption, QMessageBox::Icon icon,
                          QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    EXPECT_EQ(message.text, text);
    EXPECT_EQ(message.caption, caption);
    EXPECT_EQ(message.icon, icon);
    EXPECT_EQ(message.buttons, buttons);
}

}  // namespace quorbex::testing
