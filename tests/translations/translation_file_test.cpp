// The English translation file: current with the texts that resources/ and
// the framework's string table mark for translation, and every one of them
// translated.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/support/qstring_printer.h"

namespace quorbex::testing {
namespace {

const QString SOURCE_DIR = QStringLiteral(QUORBEX_SOURCE_DIR);
const QString TRANSLATION = SOURCE_DIR + QStringLiteral("/resources/translations/quorbex_en.ts");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Runs tool with arguments; answers what it printed.
QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished()) << tool.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << tool.toStdString();
    return QString::fromUtf8(process.readAll());
}

// lupdate, as the update_translations target runs it, changes nothing: no
// text is missing, changed or left over.
TEST(EnglishTranslationFile, IsCurrentWithTheTextsOfTheResources) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("quorbex_en.ts"));
    ASSERT_TRUE(QFile::copy(TRANSLATION, copy));
    const QString output =
        RunTool(QStringLiteral(QUORBEX_LUPDATE),
                {QStringLiteral("-locations"), QStringLiteral("none"),
                 QStringLiteral("-no-obsolete"), SOURCE_DIR + QStringLiteral("/resources"),
                 SOURCE_DIR + QStringLiteral("/platform/framework_strings.h"),
                 QStringLiteral("-ts"), copy});
    EXPECT_EQ(ReadAll(copy), ReadAll(TRANSLATION))
        << "run: cmake --build build --target update_translations\n"
        << output.toStdString();
}

TEST(EnglishTranslationFile, HasNothingUnfinishedOrUntranslated) {
    QTemporaryDir folder;
    const QString output =
        RunTool(QStringLiteral(QUORBEX_LRELEASE),
                {TRANSLATION, QStringLiteral("-qm"), folder.filePath(QStringLiteral("en.qm"))});
    EXPECT_TRUE(output.contains(QStringLiteral(" finished and 0 unfinished)")))
        << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("untranslated"))) << output.toStdString();
}

}  // namespace
}  // namespace quorbex::testing
