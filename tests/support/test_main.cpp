// The main of the test programs that use Qt: the application object exists
// before any test runs, named like the program. Built with
// QUORBEX_TEST_WIDGETS it is a widget application, on the offscreen platform
// unless the environment names another. Each test program keeps its
// settings, data, state, cache and runtime files in folders of its own: the
// test programs run side by side, and the user's own files are no test's
// business.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef QUORBEX_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
#ifdef QUORBEX_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const QTemporaryDir home;
    if (!home.isValid()) {
        return 2;
    }
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME",
                                 "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = home.filePath(QString::fromLatin1(variable));
        // The runtime folder must be the user's alone, as a session's is.
        if (!QDir().mkdir(folder) ||
            !QFile::setPermissions(folder,
                                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            return 2;
        }
        qputenv(variable, QFile::encodeName(folder));
    }
    TestApplication application(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("Kestavon"));
    TestApplication::setApplicationName(QStringLiteral("Quorbex"));
    return RUN_ALL_TESTS();
}
