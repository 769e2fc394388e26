// The main of the test programs that use Qt: the application object exists
// before any test runs, named like the program. Built with
// QUORBEX_TEST_WIDGETS it is a widget application, on the offscreen platform
// unless the environment names another.
#include <gtest/gtest.h>

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
    TestApplication application(argc, argv);
    TestApplication::setOrganizationName(QStringLiteral("Kestavon"));
    TestApplication::setApplicationName(QStringLiteral("Quorbex"));
    return RUN_ALL_TESTS();
}
