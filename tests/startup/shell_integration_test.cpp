// The program and the dictionary file type on the desktop: the MIME package,
// the desktop entry and the icons that a start writes into the user's data
// folder, written once and left alone while unchanged; an installed
// registration that wins over them; builds that register only when asked;
// and a data folder that cannot be written.
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
const QString APP_ID = QStringLiteral("com.kestavon.Quorbex");
// Tests run from the build folder, where the program registers itself only when asked.
const QString REGISTER = QStringLiteral("--register-desktop");
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
    QMap<QString, QString> comments;  // by language, "" for the default
    QStringList globs;
    QString icon;
    QStringList magic;  // "type offset value" of each match
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
            const QString language = xml.attributes().value(QLatin1String("xml:lang")).toString();
            mime.comments[language] = xml.readElementText();
        } else if (name == QLatin1String("match")) {
            const auto attributes = xml.attributes();
            mime.magic.append(QStringList{attributes.value(QLatin1String("type")).toString(),
                                          attributes.value(QLatin1String("offset")).toString(),
                                          attributes.value(QLatin1String("value")).toString()}
                                  .join(QLatin1Char(' ')));
        } else if (name == QLatin1String("glob")) {
            mime.globs.append(xml.attributes().value(QLatin1String("pattern")).toString());
        } else if (name == QLatin1String("icon")) {
            mime.icon = xml.attributes().value(QLatin1String("name")).toString();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return mime;
}

// The four files of a registration below data, named after name.
struct ShellFiles {
    explicit ShellFiles(const QString& data, const QString& name = APP_ID)
        : package(QDir(data).filePath(QStringLiteral("mime/packages/%1.xml").arg(name))),
          entry(QDir(data).filePath(QStringLiteral("applications/%1.desktop").arg(name))),
          appIcon(
              QDir(data).filePath(QStringLiteral("icons/hicolor/scalable/apps/%1.svg").arg(name))),
          documentIcon(QDir(data).filePath(QStringLiteral(
              "icons/hicolor/scalable/mimetypes/application-x-zorvik.drugfile.svg"))) {}

    QStringList All() const { return {package, entry, documentIcon, appIcon}; }

    QString package;
    QString entry;
    QString appIcon;
    QString documentIcon;
};

void WriteText(const QString& path, const QByteArray& text) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

QStringList Existing(const QStringList& paths) {
    QStringList existing;
    for (const QString& path : paths) {
        if (QFileInfo::exists(path)) {
            existing.append(path);
        }
    }
    return existing;
}

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
    ASSERT_TRUE(StartWithoutDialog(app, {REGISTER, "ward.zvk"}));
    const ShellFiles files(Data());

    const MimeType mime = ReadMimePackage(files.package);
    EXPECT_EQ(mime.type, MIME_TYPE);
    EXPECT_EQ(mime.comments, (QMap<QString, QString>{{"", "Quorbex drug dictionary"},
                                                     {"zh-CN", QStringLiteral("药物字典")}}));
    EXPECT_EQ(mime.globs, QStringList{"*.zvk"});
    // The magic number 0xEDFA1428 at offset 10, scrambled with 0xC6 in every byte.
    EXPECT_EQ(mime.magic, QStringList{"little32 10 0x2b3cd2ee"});
    EXPECT_EQ(mime.icon, QFileInfo(files.documentIcon).completeBaseName());

    const DesktopEntry entry = ReadDesktopEntry(files.entry);
    const QMap<QString, QString>& main = entry[QStringLiteral("Desktop Entry")];
    const QString program = Quoted(QCoreApplication::applicationFilePath());
    EXPECT_EQ(main.value("Type"), "Application");
    EXPECT_EQ(main.value("Name"), "Quorbex");
    EXPECT_FALSE(main.value("Comment").isEmpty());
    EXPECT_FALSE(main.value("Comment[zh_CN]").isEmpty());
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
        ASSERT_TRUE(StartWithoutDialog(app, {REGISTER, "ward.zvk"}));
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    AgeFiles(files.All());
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {REGISTER, "ward.zvk"}));
    ExpectUntouched(files.All());
}

TEST_F(ShellRegistration, ABuildRegistersNothingUnlessAsked) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    TestApp app;
    ASSERT_TRUE(StartWithoutDialog(app, {"ward.zvk"}));
    EXPECT_EQ(Existing(ShellFiles(Data()).All()), QStringList());
    EXPECT_EQ(app.Documents().size(), 1u);
}

// With the package's entry in a system data folder, the user's folder keeps
// nothing that the program wrote there, under its id or its earlier name;
// the user's own files stay.
TEST_F(ShellRegistration, AnInstalledRegistrationWins) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    const ShellFiles mine(Data());
    {
        TestApp app;
        ASSERT_TRUE(StartWithoutDialog(app, {REGISTER, "ward.zvk"}));
        EXPECT_EQ(app->ExitInstance(), 0);
    }
    ASSERT_EQ(Existing(mine.All()), mine.All());
    const ShellFiles legacy(Data(), QStringLiteral("quorbex"));
    WriteText(legacy.entry,
              "[Desktop Entry]\nType=Application\nName=Quorbex\nExec=\"/old/quorbex\" %f\n"
              "MimeType=application/x-zorvik.drugfile;\n");
    WriteText(legacy.package,
              "<mime-info><mime-type type=\"application/x-zorvik.drugfile\">"
              "</mime-type></mime-info>\n");
    const QString own = QDir(Data()).filePath(QStringLiteral("applications/my-notes.desktop"));
    WriteText(own, "[Desktop Entry]\nType=Application\nName=Notes\nExec=notes\n");
    const ShellFiles installed(System());
    WriteText(installed.entry,
              "[Desktop Entry]\nType=Application\nName=Quorbex\nExec=quorbex %f\n");

    for (const QStringList& arguments :
         {QStringList{"ward.zvk"}, QStringList{REGISTER, "ward.zvk"}}) {
        TestApp app;
        ASSERT_TRUE(StartWithoutDialog(app, arguments));
        EXPECT_EQ(Existing(mine.All() + QStringList{legacy.entry, legacy.package}), QStringList());
        EXPECT_TRUE(QFileInfo::exists(own));
        EXPECT_TRUE(QFileInfo::exists(installed.entry));
        EXPECT_EQ(app->ExitInstance(), 0);
    }
}

TEST_F(ShellRegistration, AReadOnlyDataFolderStopsNothing) {
    WriteDictionary(QStringLiteral("ward.zvk"));
    ASSERT_TRUE(QFile::setPermissions(Data(), QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([this] {
        QFile::setPermissions(Data(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const bool writable = QFileInfo(Data()).isWritable();  // the superuser writes anyway
    TestApp app;
    EXPECT_TRUE(StartWithoutDialog(app, {REGISTER, "ward.zvk"}));
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
    EXPECT_TRUE(StartWithoutDialog(app, {REGISTER, "ward.zvk"}));
    EXPECT_TRUE(app.Ui().messages.empty());
    EXPECT_EQ(app.Documents().size(), 1u);
    EXPECT_TRUE(app->MainFrame()->ShowsDictionaryMenus());
}

class RegisterShellFileTypeTest : public StartupTest {
protected:
    void SetUp() override {
        StartupTest::SetUp();
        type.applicationId = APP_ID;
        type.executable = QStringLiteral("/opt/Ward Tools/quorbex");
        type.mimeType = MIME_TYPE;
        type.desktopEntryTemplate = QStringLiteral(":/desktop/com.kestavon.Quorbex.desktop.in");
        type.mimePackage = QStringLiteral(":/desktop/com.kestavon.Quorbex.xml");
        type.applicationIcon = QStringLiteral(":/icons/application.svg");
        type.documentIcon = QStringLiteral(":/icons/document.svg");
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
