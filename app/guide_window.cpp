#include "app/guide_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/language.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

const QString INDEX_PAGE = QStringLiteral("index.html");

}  // namespace

QString FindGuideFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList candidates = {
        program.filePath(QStringLiteral("../" QUORBEX_INSTALLED_GUIDE_DIR)),
        QStringLiteral(QUORBEX_BUILD_GUIDE_DIR),
    };
    // The guide in the program's language lies in a folder named after its
    // translation ("en"); the Chinese guide is the one to fall back on.
    const QString language = InstalledTranslation();
    for (const QString& folder : candidates) {
        const QString translated = QDir(folder).filePath(language);
        if (!language.isEmpty() && QDir(translated).exists(INDEX_PAGE)) {
            return QDir::cleanPath(translated);
        }
        if (QDir(folder).exists(INDEX_PAGE)) {
            return QDir::cleanPath(folder);
        }
    }
    return QString();
}

GuideWindow::GuideWindow(const QString& folder, QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(Tr(UiText::GuideTitle));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl::fromLocalFile(QDir(folder).filePath(INDEX_PAGE)));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(820, 680);
}

}  // namespace quorbex
