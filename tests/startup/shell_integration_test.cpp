// The dictionary file type on the desktop: the MIME package, the desktop
// entry and the icons that a start writes into the user's data folder,
// written once and left alone while unchanged, and a data folder that
// cannot be written.
#include <QDateTime>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QXmlStreamReader>
#include <algorithm>

#include "frames/main_frame.h"
#include "platform/shell_integration.h"
#include "tests/startup/startup_fixture.h"

namespace quorbex::testing {
namespace {

const QString MIME_TYPE = QStringLiteral("application/x-zorvik.drugfile");
const QDateTime LONG_AGO(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The groups of a desktop entry with their keys.
using DesktopEntry = QMap<QString, QMap<QString, QString>>;

DesktopEntry ReadDesktopEntry(const QString& path) {
    DesktopEntry entry;
    QString group;
    for (const QString& line : QString::fromUtf8(ReadAll(path)).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
        } else if (const qsizetype equals = line.indexOf(QLatin1Char('='));
                   equals > 0 && !line.startsWith(QLatin1Char('#'))) {
            entry[group][line.left(equals)] = line.mid(equals + 1);
        }
    }
    return entry;
}

// What the MIME package says of one type.
struct MimeType {
    QString type;
    QString comment;
    QStringList globs;
    QString icon;
};

MimeType ReadMimePackage(const QString& path) {
    MimeType mime;
    QXmlStreamReader xml(ReadAll(path));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("mime-type")) {
            mime.type = xml.attributes().value(QLatin1String("type")).toString();
        } else if (name == QLatin1String("comment")) {
            mime.comment = xml.readElementText();
        } else if (name == QLatin1String("glob")) {
            mime.globs.append(xml.attributes().value(QLatin1String("pattern")).toString());
        } else if (name == QLatin1String("icon")) {
            mime.icon = xml.attributes().value(QLatin1String("name")).toString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return mime;
}

// The four files of a registration below data.
struct ShellFiles {
    explicit ShellFiles(const QString& data)
        : package(QDir(data).filePath(QStringLiteral("mime/packages/quorbex.xml"))),
          entry(QDir(data).filePath(QStringLiteral("applications/quorbex.desktop"))),
          appIcon(QDir(data).filePath(QStringLiteral("icons/hicolor/scalable/apps/quorbex.svg"))),
          documentIcon(QDir(data).filePath(QStringLiteral(
              "icons/hicolor/scalable/mimetypes/application-x-zorvik.drugfile.svg"))) {}

    QStringList All() const { return {package, entry, documentIcon, appIcon}; }

    QString package;
    QString entry;
    QString appIcon;
    QString documentIcon;
};

void AgeFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite)) << path.toStdString();
        ASSERT_TRUE(file.setFileTime(LONG_AGO, QFileDevice::FileModificationTime));
    }
}

void ExpectUntouched(const QStringList& paths) {
    for (const QString& path : paths) {
        EXPECT_EQ(QFileInfo(path).lastModified().toUTC(), LONG_AGO) << path.toStdString();
    }
}

QString Quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

using ShellRegistration = StartupTest;

TEST_F(ShellRegistration, AStartRegistersTheDictionaryFileType) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
    const ShellFiles files(Data());

    const MimeType mime = ReadMimePackage(files.package);
    EXPECT_EQ(mime.type, MIME_TYPE);
    EXPECT_EQ(mime.comment, QStringLiteral("药物字典"));
    EXPECT_EQ(mime.globs, QStringList{"*.zvk"});
    EXPECT_EQ(mime.icon, QFileInfo(files.documentIcon).completeBaseName());

    const DesktopEntry entry = ReadDesktopEntry(files.entry);
    const QMap<QString, QString>& main = entry[QStringLiteral("Desktop Entry")];
    const QString program = Quoted(QCoreApplication::applicationFilePath());
    EXPECT_EQ(main.value("Type"), "Application");
    EXPECT_EQ(main.value("Name"), "Quorbex");
    EXPECT_EQ(main.value("Exec"), program + QStringLiteral(" %f"));
    EXPECT_TRUE(main.value("MimeType").split(QLatin1Char(';')).contains(MIME_TYPE))
        << main.value("MimeType").toStdString();
    EXPECT_EQ(main.value("Icon"), QFileInfo(files.appIcon).completeBaseName());
    EXPECT_TRUE(main.value("Actions").split(QLatin1Char(';')).contains("Print"));
    EXPECT_EQ(entry[QStringLiteral("Desktop Action Print")].value("Exec"),
              program + QStringLiteral(" /p %f"));

    for (const QString& icon : {files.appIcon, files.documentIcon}) {
        EXPECT_TRUE(ReadAll(icon).contains("<svg")) << icon.toStdString();
    }

    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess validate;
        validate.start(validator, {files.entry});
        ASSERT_TRUE(validate.waitForFinished());
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }
}

TEST_F(ShellRegistration, ALaterStartRewritesNothing) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    const ShellFiles files(Data());
    {
        TestApp app;
        ASSERT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    AgeFiles(files.All());
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
    ExpectUntouched(files.All());
}

TEST_F(ShellRegistration, AReadOnlyDataFolderStopsNothing) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    ASSERT_TRUE(QFile::setPermissions(Data(), QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([this] {
        QFile::setPermissions(Data(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const bool writable = QFileInfo(Data()).isWritable();  // the superuser writes anyway
    TestApp app;
    EXPECT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_EQ(app.Documents().size(), 1u);
    if (!writable) {
        EXPECT_EQ(QDir(Data()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
}

// A data folder in place of which there is a file cannot be written by anyone.
TEST_F(ShellRegistration, ADataFolderThatCannotBeMadeStopsNothing) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    const QString blocked = Path(QStringLiteral("blocked"));
    {
        QFile file(blocked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocked));
    TestApp app;
    EXPECT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_EQ(app.Documents().size(), 1u);
    EXPECT_TRUE(app->MainFrame()->ShowsDictionaryMenus());
}

class RegisterShellFileTypeTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        type.applicationName = QStringLiteral("Quorbex");
        type.executable = QStringLiteral("/opt/Ward Tools/quorbex");
        type.mimeType = MIME_TYPE;
        type.typeId = QStringLiteral("Zorvik.DrugFile");
        type.description = QStringLiteral("药物字典");
        type.extension = QStringLiteral(".zvk");
        type.applicationIconSvg = QStringLiteral(":/icons/application.svg");
        type.documentIconSvg = QStringLiteral(":/icons/document.svg");
        type.printSwitch = QStringLiteral("/p");
        type.printActionName = QStringLiteral("打印");
    }

    static QStringList Sorted(QStringList paths) {
        paths.sort();
        return paths;
    }

    // Waits until the cache tools have been called count times in all.
    QStringList WaitForCacheToolCalls(qsizetype count) const {
        static_cast<void>(QTest::qWaitFor([&] { return CacheToolCalls().size() >= count; }, 10000));
        return CacheToolCalls();
    }

    platform::ShellFileType type;
};

TEST_F(RegisterShellFileTypeTest, WritesEachFileOnceAndThenOnlyWhatChanged) {
    const ShellFiles files(Data());
    EXPECT_EQ(Sorted(platform::RegisterShellFileType(type, Data())), Sorted(files.All()));
    const DesktopEntry entry = ReadDesktopEntry(files.entry);
    EXPECT_EQ(entry["Desktop Entry"].value("Exec"), "\"/opt/Ward Tools/quorbex\" %f");
    EXPECT_EQ(entry["Desktop Action Print"].value("Exec"), "\"/opt/Ward Tools/quorbex\" /p %f");

    AgeFiles(files.All());
    EXPECT_EQ(platform::RegisterShellFileType(type, Data()), QStringList());
    ExpectUntouched(files.All());

    // The program moved: only the desktop entry names it.
    type.executable = QStringLiteral("/usr/bin/quorbex");
    EXPECT_EQ(platform::RegisterShellFileType(type, Data()), QStringList{files.entry});
    EXPECT_EQ(ReadDesktopEntry(files.entry)["Desktop Entry"].value("Exec"),
              "\"/usr/bin/quorbex\" %f");
    ExpectUntouched({files.package, files.appIcon, files.documentIcon});
}

TEST_F(RegisterShellFileTypeTest, TheDesktopCachesHearOfWhatChanged) {
    const QString mime = QDir(Data()).filePath(QStringLiteral("mime"));
    const QString applications = QDir(Data()).filePath(QStringLiteral("applications"));
    platform::RegisterShellFileType(type, Data());
    EXPECT_EQ(WaitForCacheToolCalls(2), (QStringList{"update-desktop-database " + applications,
                                                     "update-mime-database " + mime}));

    platform::RegisterShellFileType(type, Data());  // nothing changed
    type.executable = QStringLiteral("/usr/bin/quorbex");
    platform::RegisterShellFileType(type, Data());  // only the desktop entry
    EXPECT_EQ(WaitForCacheToolCalls(3), (QStringList{"update-desktop-database " + applications,
                                                     "update-desktop-database " + applications,
                                                     "update-mime-database " + mime}));
}

TEST_F(RegisterShellFileTypeTest, AFolderThatCannotBeMadeIsSkipped) {
    const QString blocked = QDir(Data()).filePath(QStringLiteral("blocked"));
    {
        QFile file(blocked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(platform::RegisterShellFileType(type, blocked), QStringList());
}

}  // namespace
}  // namespace quorbex::testing
