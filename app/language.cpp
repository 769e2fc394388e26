#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace quorbex {

namespace {

const QString TRANSLATIONS_FOLDER = QStringLiteral(":/i18n");
const QString PROGRAM_PREFIX = QStringLiteral("quorbex_");
const QString FILE_SUFFIX = QStringLiteral(".qm");

// The program's translators are the application's, one set at a time.
QString g_installedTranslation;

}  // namespace

QString InstalledTranslation() {
    return g_installedTranslation;
}

QStringList AvailableTranslations() {
    QStringList names;
    for (const QString& file :
         QDir(TRANSLATIONS_FOLDER).entryList({PROGRAM_PREFIX + QLatin1Char('*') + FILE_SUFFIX})) {
        names.append(file.mid(PROGRAM_PREFIX.size(),
                              file.size() - PROGRAM_PREFIX.size() - FILE_SUFFIX.size()));
    }
    return names;
}

QString ChooseTranslation(const QStringList& uiLanguages, const QStringList& available) {
    for (const QString& uiLanguage : uiLanguages) {
        const QLocale locale(uiLanguage);
        if (available.contains(locale.name())) {
            return locale.name();
        }
        if (locale.language() == QLocale::Chinese) {
            return QString();
        }
        const QString language = QLocale::languageToCode(locale.language());
        if (available.contains(language)) {
            return language;
        }
    }
    return QString();
}

QString UsersTranslation() {
    return ChooseTranslation(QLocale::system().uiLanguages(), AvailableTranslations());
}

Translation::Translation(const QString& translation) {
    const QLocale qtLanguage =
        translation.isEmpty() ? QLocale(QLocale::Chinese, QLocale::China) : QLocale(translation);
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(qtLanguage, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        Install(std::move(qt));
    }
    auto program = std::make_unique<QTranslator>();
    if (!translation.isEmpty() &&
        program->load(PROGRAM_PREFIX + translation, TRANSLATIONS_FOLDER)) {
        Install(std::move(program));
        m_program = translation;
        g_installedTranslation = translation;
    }
}

Translation::~Translation() {
    for (const std::unique_ptr<QTranslator>& translator : m_installed) {
        QCoreApplication::removeTranslator(translator.get());
    }
    if (!m_program.isEmpty() && g_installedTranslation == m_program) {
        g_installedTranslation.clear();
    }
}

void Translation::Install(std::unique_ptr<QTranslator> translator) {
    if (QCoreApplication::installTranslator(translator.get())) {
        m_installed.push_back(std::move(translator));
    }
}

}  // namespace quorbex
