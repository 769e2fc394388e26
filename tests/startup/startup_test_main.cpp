// The main of the start-up tests: a widget application named like the
// program, on the offscreen platform unless the environment names another.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kestavon"));
    QApplication::setApplicationName(QStringLiteral("Quorbex"));
    return RUN_ALL_TESTS();
}
