// The user guide: the HTML pages installed with the program, in a window of
// their own beside the main window.
#pragma once

#include <QDialog>

class QTextBrowser;

namespace quorbex {

// The folder of the guide's pages in the program's language, or else in
// Chinese: the installed one beside the program, or the copy in the build
// tree; empty when neither holds the guide.
QString FindGuideFolder();

class GuideWindow : public QDialog {
    Q_OBJECT
public:
    // Shows folder's index.html; links lead to the other pages.
    explicit GuideWindow(const QString& folder, QWidget* parent = nullptr);

    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

}  // namespace quorbex
