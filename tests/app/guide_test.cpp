// F1 opens the user guide that comes with the program, at its contents page,
// in the program's language.
#include <QDir>
#include <QTextBrowser>

#include "app/drug_app.h"
#include "app/guide_window.h"
#include "app/language.h"
#include "frames/main_frame.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

class GuideTest : public StartupTest {
protected:
    // Starts the program with a dictionary and presses F1 in its main window.
    void PressF1() {
        WriteDictionary(QStringLiteral("ward.zvk"));
        ASSERT_TRUE(StartWithoutDialog(app, {File(QStringLiteral("ward.zvk"))}));
        frame = app->MainFrame();
        QApplication::setActiveWindow(frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        guide = frame->findChild<GuideWindow*>();
        ASSERT_NE(guide, nullptr);
    }

    TestApp app;
    CMainFrame* frame = nullptr;
    GuideWindow* guide = nullptr;
};

TEST_F(GuideTest, F1OpensTheGuideAtItsContents) {
    ASSERT_NO_FATAL_FAILURE(PressF1());
    EXPECT_TRUE(guide->isVisible());
    EXPECT_TRUE(guide->Browser()->source().path().endsWith(QStringLiteral("/index.html")));
    const QString text = guide->Browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("用户指南"))) << text.toStdString();
    // The contents lead to the pages on the new menu, the keys, import and the handbook.
    for (const QString& page :
         {QStringLiteral("keyboard.html"), QStringLiteral("import-export.html"),
          QStringLiteral("handbook.html")}) {
        EXPECT_TRUE(guide->Browser()->toHtml().contains(page)) << page.toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(frame->findChildren<GuideWindow*>().size(), 1) << "one guide window";
}

TEST_F(GuideTest, TheEnglishProgramOpensTheEnglishGuide) {
    const Translation english(QStringLiteral("en"));
    ASSERT_NO_FATAL_FAILURE(PressF1());
    EXPECT_TRUE(guide->Browser()->source().path().endsWith(QStringLiteral("/en/index.html")));
    const QString text = guide->Browser()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Quorbex User Guide"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("用户指南")));
    // Every page of the Chinese guide is there in English too, on its contents.
    const QDir englishFolder = QFileInfo(guide->Browser()->source().toLocalFile()).dir();
    QDir chineseFolder = englishFolder;
    ASSERT_TRUE(chineseFolder.cdUp());
    const QStringList pages =
        chineseFolder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    EXPECT_GE(pages.size(), 7);
    for (const QString& page : pages) {
        EXPECT_TRUE(englishFolder.exists(page)) << page.toStdString();
        if (page != QStringLiteral("index.html")) {
            EXPECT_TRUE(guide->Browser()->toHtml().contains(page)) << page.toStdString();
        }
    }
}

TEST(FindGuideFolder, FollowsTheInstalledTranslation) {
    const QString chinese = FindGuideFolder();
    ASSERT_FALSE(chinese.isEmpty());
    EXPECT_FALSE(chinese.endsWith(QStringLiteral("/en")));
    {
        const Translation english(QStringLiteral("en"));
        EXPECT_EQ(FindGuideFolder(), chinese + QStringLiteral("/en"));
    }
    EXPECT_EQ(FindGuideFolder(), chinese) << "the translation is gone";
}

}  // namespace
}  // namespace quorbex::testing
