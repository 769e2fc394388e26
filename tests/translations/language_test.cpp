// The language of the user interface: English when the user's locale asks
// for it, the Chinese source texts for every other locale, C included; Qt's
// own dialogs in the same language.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include "app/language.h"
#include "platform/framework_strings.h"
#include "resources/strings.h"
#include "tests/support/cjk.h"
#include "tests/support/qstring_printer.h"

namespace quorbex::testing {
namespace {

TEST(ChooseTranslation, TheFirstLanguageWithTranslationOrChineseDecides) {
    struct Case {
        QStringList uiLanguages;
        QStringList available;
        QString chosen;
    };
    const QStringList english{QStringLiteral("en")};
    const Case cases[] = {
        {{"C"}, english, ""},
        {{}, english, ""},
        {{"en-US", "en-Latn-US", "en"}, english, "en"},
        {{"en-GB", "en-Latn-GB"}, english, "en"},
        {{"zh-CN", "zh-Hans-CN", "zh"}, english, ""},
        {{"zh-TW"}, english, ""},
        {{"de-DE", "de-Latn-DE", "de"}, english, ""},
        // A later language counts when the earlier ones have no translation,
        // unless Chinese comes first.
        {{"de", "en"}, english, "en"},
        {{"zh-CN", "en"}, english, ""},
        {{"en-US"}, {}, ""},
        // Translations named by language and region, or by language only.
        {{"pt-BR"}, {"en", "pt_BR"}, "pt_BR"},
        {{"pt-PT"}, {"pt_BR"}, ""},
        {{"de-AT", "en"}, {"de", "en"}, "de"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseTranslation(c.uiLanguages, c.available), c.chosen)
            << c.uiLanguages.join(QLatin1Char(',')).toStdString();
    }
}

TEST(ChooseTranslation, TheEnglishTranslationIsEmbedded) {
    EXPECT_TRUE(AvailableTranslations().contains(QStringLiteral("en")))
        << AvailableTranslations().join(QLatin1Char(' ')).toStdString();
}

// The program's choice for the locale variables of a child's environment.
QString ChosenFor(const QStringList& variables) {
    QProcessEnvironment environment;
    for (const QString& variable : variables) {
        const qsizetype equals = variable.indexOf(QLatin1Char('='));
        environment.insert(variable.left(equals), variable.mid(equals + 1));
    }
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(QUORBEX_LANGUAGE_PROBE), QStringList());
    if (!probe.waitForFinished() || probe.exitCode() != 0) {
        ADD_FAILURE() << "the language probe failed: " << probe.errorString().toStdString();
    }
    return QString::fromUtf8(probe.readAllStandardOutput());
}

TEST(ChooseTranslation, FollowsTheLocaleOfTheEnvironment) {
    struct Case {
        QStringList variables;
        QString chosen;
    };
    const Case cases[] = {
        {{}, ""},
        {{"LANG=C"}, ""},
        {{"LANG=C.UTF-8"}, ""},
        {{"LC_ALL=POSIX"}, ""},
        {{"LANG=zh_CN.UTF-8"}, ""},
        {{"LANG=de_DE.UTF-8"}, ""},
        {{"LANG=en_US.UTF-8"}, "en"},
        {{"LANG=en_GB.UTF-8"}, "en"},
        {{"LANGUAGE=en"}, "en"},
        {{"LANG=zh_CN.UTF-8", "LANGUAGE=en"}, "en"},
        {{"LANG=en_US.UTF-8", "LANGUAGE=zh_CN"}, ""},
        {{"LANG=de_DE.UTF-8", "LANGUAGE=de:en"}, "en"},
        {{"LANG=zh_CN.UTF-8", "LC_ALL=en_US.UTF-8"}, "en"},
        {{"LANG=en_US.UTF-8", "LC_ALL=zh_CN.UTF-8"}, ""},
        {{"LANG=zh_CN.UTF-8", "LC_MESSAGES=en_US.UTF-8"}, "en"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChosenFor(c.variables), c.chosen)
            << c.variables.join(QLatin1Char(' ')).toStdString();
    }
}

// A text of qtbase that its Chinese translation translates.
QString QtButtonText() {
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

TEST(Translation, EnglishForTheProgramAndQtsOwnDialogs) {
    const Translation english(QStringLiteral("en"));
    EXPECT_EQ(platform::Tr(platform::FrameworkText::CancelButton), QStringLiteral("Cancel"));
    EXPECT_EQ(QtButtonText(), QStringLiteral("Cancel"));
}

TEST(Translation, ChineseTextsWithQtsOwnDialogsInChinese) {
    {
        const Translation chinese{QString()};
        EXPECT_EQ(platform::Tr(platform::FrameworkText::CancelButton), QStringLiteral("取消"));
        EXPECT_TRUE(HoldsCjk(QtButtonText())) << QtButtonText().toStdString();
    }
    // Gone with the translation.
    EXPECT_EQ(QtButtonText(), QStringLiteral("Cancel"));
}

}  // namespace
}  // namespace quorbex::testing
