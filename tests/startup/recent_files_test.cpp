// The recent-file list in the settings, as the program keeps it and as the
// startup dialog lists it, and dictionary files dropped on the main window.
#include <dirent.h>
#include <stdio.h>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <set>

#include "document/zorvik_drug_doc.h"
#include "frames/main_frame.h"
#include "platform/file_names.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

using RecentFiles = StartupTest;

TEST_F(RecentFiles, FiveOpenedFilesLeaveTheFourNewestNewestFirst) {
    QStringList opened;
    for (const char* name : {"a.zvk", "b.zvk", "c.zvk", "d.zvk", "e.zvk"}) {
        opened.append(WriteDictionary(QString::fromLatin1(name)));
    }
    {
        TestApp app;
        ASSERT_TRUE(StartWithoutDialog(app, {}));
        for (const QString& path : opened) {
            EXPECT_NE(app->OpenDocumentFile(path), nullptr);
        }
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    EXPECT_EQ(RecentValueNames(), (QStringList{"File1", "File2", "File3", "File4"}));
    EXPECT_EQ(RecentValue(1), opened[4]);
    EXPECT_EQ(RecentValue(2), opened[3]);
    EXPECT_EQ(RecentValue(3), opened[2]);
    EXPECT_EQ(RecentValue(4), opened[1]);

    // The next run offers them in that order.
    TestApp next;
    QStringList listed;
    EXPECT_TRUE(StartThroughDialog(
        next, [&](StartupDialog& dialog) { listed = ListEntries(*dialog.RecentList()); }));
    EXPECT_EQ(listed, (QStringList{opened[4], opened[3], opened[2], opened[1]}));
    EXPECT_EQ(next->RecentFiles().Paths(), listed);
}

TEST_F(RecentFiles, TheStartupDialogListsUpToTheFirstGap) {
    WriteRecentValues({{1, "/wards/one.zvk"}, {2, "/wards/two.zvk"}, {4, "/wards/four.zvk"}});
    TestApp app;
    QStringList listed;
    EXPECT_TRUE(StartThroughDialog(
        app, [&](StartupDialog& dialog) { listed = ListEntries(*dialog.RecentList()); }));
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(listed, (QStringList{"/wards/one.zvk", "/wards/two.zvk"}));
}

// The dialog reads the settings themselves, up to ten values.
TEST_F(RecentFiles, TheStartupDialogListsAtMostTenValues) {
    std::vector<std::pair<int, QString>> values;
    QStringList expected;
    for (int number = 1; number <= 12; ++number) {
        values.emplace_back(number, QStringLiteral("/wards/%1.zvk").arg(number));
        if (number <= 10) {
            expected.append(values.back().second);
        }
    }
    WriteRecentValues(values);
    TestApp app;
    QStringList listed;
    EXPECT_TRUE(StartThroughDialog(
        app, [&](StartupDialog& dialog) { listed = ListEntries(*dialog.RecentList()); }));
    EXPECT_EQ(listed, expected);
}

class DroppedFiles : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        ASSERT_TRUE(StartWithoutDialog(app, {}));
    }

    // Drags urls over the main window; answers whether it would take them.
    bool DragEnter(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent event(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        event.setAccepted(false);
        QApplication::sendEvent(app->MainFrame(), &event);
        return event.isAccepted();
    }

    // Drags urls over the main window and drops them there.
    void Drop(const QList<QUrl>& urls) {
        DragEnter(urls);
        QMimeData data;
        data.setUrls(urls);
        QDropEvent event(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(app->MainFrame(), &event);
    }

    TestApp app;
};

TEST_F(DroppedFiles, ADroppedDictionaryOpensAndEntersTheRecentFileList) {
    const QString path = WriteDictionary(QStringLiteral("ward.zvk"));
    EXPECT_TRUE(app->MainFrame()->acceptDrops());
    EXPECT_TRUE(DragEnter({QUrl::fromLocalFile(path)}));
    Drop({QUrl::fromLocalFile(path)});
    ASSERT_EQ(app.Documents().size(), 1u);
    EXPECT_EQ(app.Documents()[0]->GetPathName(), path);
    EXPECT_EQ(app->RecentFiles().Paths(), QStringList{path});
    // The settings are written a moment later.
    static_cast<void>(QTest::qWaitFor([] { return !RecentValue(1).isEmpty(); }, 5000));
    EXPECT_EQ(RecentValue(1), path) << "the settings follow the list";
    EXPECT_TRUE(app->MainFrame()->ShowsDictionaryMenus());
    EXPECT_TRUE(app.Ui().messages.empty());
}

TEST_F(DroppedFiles, EachOfSeveralDroppedFilesOpensInItsOwnWindow) {
    const QString first = WriteDictionary(QStringLiteral("first.zvk"));
    const QString second = WriteDictionary(QStringLiteral("second.zvk"));
    Drop({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    ASSERT_EQ(app.Documents().size(), 2u);
    EXPECT_EQ(app.Documents()[0]->GetPathName(), first);
    EXPECT_EQ(app.Documents()[1]->GetPathName(), second);
    EXPECT_EQ(app->RecentFiles().Paths(), (QStringList{second, first}));
}

TEST_F(DroppedFiles, ADroppedDamagedFileIsReportedAndOpensNothing) {
    const QString path = WriteDamaged(QStringLiteral("damaged.zvk"));
    Drop({QUrl::fromLocalFile(path)});
    ASSERT_EQ(app.Ui().messages.size(), 1u);
    ExpectMessage(app.Ui().messages[0], "此文件不是有效药物库文件,可能已被破坏", "文件打开错误...",
                  QMessageBox::Critical);
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
}

TEST_F(DroppedFiles, ADropWithoutLocalFilesIsRefused) {
    const QList<QUrl> remote{QUrl(QStringLiteral("https://example.org/ward.zvk"))};
    EXPECT_FALSE(DragEnter(remote));
    Drop(remote);
    EXPECT_TRUE(app.Documents().empty());
    EXPECT_TRUE(app.Ui().messages.empty());
}

// A name that is not UTF-8 (a GBK name from a Windows archive) opens by its
// bytes, is saved there, and stays in the recent-file list as those bytes.
TEST_F(RecentFiles, ANameThatIsNotUtf8IsOpenedSavedAndListedByItsBytes) {
    const QByteArray name = "\xB0\xA1.zvk";  // 啊 in GBK
    const QByteArray bytes = QFile::encodeName(Files()) + '/' + name;
    ASSERT_EQ(::rename(QFile::encodeName(WriteDictionary(QStringLiteral("plain.zvk"))).constData(),
                       bytes.constData()),
              0);
    const QString path = platform::DecodeFileName(bytes);
    {
        TestApp app;
        ASSERT_TRUE(StartWithoutDialog(app, {path}));
        EXPECT_TRUE(app.Ui().messages.empty());
        ASSERT_EQ(app.Documents().size(), 1u);
        auto* document = dynamic_cast<CZorvikDrugDoc*>(app.Documents()[0]);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->GetPathName(), path);
        ASSERT_TRUE(document->AppendDrug(Names(Gbk("青霉素"), "Penicillin")));
        EXPECT_TRUE(document->DoSave(document->GetPathName()));
        EXPECT_TRUE(app.Ui().messages.empty());
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    // The file and its backup, by their bytes, and nothing else.
    std::set<QByteArray> entries;
    DIR* folder = ::opendir(QFile::encodeName(Files()).constData());
    ASSERT_NE(folder, nullptr);
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.') {
            entries.insert(QByteArray(entry->d_name));
        }
    }
    ::closedir(folder);
    EXPECT_EQ(entries, (std::set<QByteArray>{name, name + ".bak"}));

    TestApp next;
    ASSERT_TRUE(StartWithoutDialog(next, {}));
    ASSERT_EQ(next->RecentFiles().Paths(), QStringList{path});
    next->OnOpenRecentFile(0);
    EXPECT_TRUE(next.Ui().messages.empty());
    ASSERT_EQ(next.Documents().size(), 1u);
    auto* reopened = dynamic_cast<CZorvikDrugDoc*>(next.Documents()[0]);
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetRecordCount(), 3);
    next->ExitInstance();
}

}  // namespace
}  // namespace quorbex::testing
