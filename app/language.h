// The language of the user interface: the program's own Chinese texts, or a
// translation of them, chosen from the user's locale.
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

namespace quorbex {

// The names of the program's translations that the build embedded, such as "en".
QStringList AvailableTranslations();

// The translation for the user's languages, most wanted first (as
// QLocale::uiLanguages() gives them), among the available ones: that of the
// first language with one, by its full name ("pt_BR") or its language
// ("pt"). Empty, for the Chinese source texts, when Chinese comes first or
// when no language has a translation ("C" included).
QString ChooseTranslation(const QStringList& uiLanguages, const QStringList& available);

// The translation for the languages of this machine's user.
QString UsersTranslation();

// The name of the program's translation that a Translation has installed,
// such as "en"; empty while the program speaks its own Chinese.
QString InstalledTranslation();

// Installs on the application, while it lives, the program's translation
// named translation with qtbase's translation into the same language for
// Qt's own dialogs; with an empty name, only qtbase's Chinese translation.
class Translation {
public:
    explicit Translation(const QString& translation);
    ~Translation();

    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;

private:
    void Install(std::unique_ptr<QTranslator> translator);

    std::vector<std::unique_ptr<QTranslator>> m_installed;
    QString m_program;  // the program's translation, once installed
};

}  // namespace quorbex
