// The dialog shown when the program starts without a file: a new, empty
// dictionary or one of the recently used ones.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QRadioButton;

namespace quorbex {

namespace platform {
class UserInterface;
}

class StartupDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int CHOICE_NONE = 0;
    static constexpr int CHOICE_NEW_EMPTY = 1;
    static constexpr int CHOICE_OPEN_RECENT = 3;

    // recentFiles: the recent-file list as the settings hold it, newest first.
    StartupDialog(platform::UserInterface& ui, const QStringList& recentFiles,
                  QWidget* parent = nullptr);

    void OnInitDialog();
    void OnOK();
    void OnRadioNewEmpty();
    void OnRadioOpenRecent();

    QString m_strPath;
    int m_nChoice = CHOICE_NONE;

    QRadioButton* TemplateButton() const { return m_template; }
    QRadioButton* NewEmptyButton() const { return m_newEmpty; }
    QRadioButton* OpenRecentButton() const { return m_openRecent; }
    QListWidget* RecentList() const { return m_recentList; }

private:
    platform::UserInterface& m_ui;
    QStringList m_recentFiles;
    QRadioButton* m_template;
    QRadioButton* m_newEmpty;
    QRadioButton* m_openRecent;
    QListWidget* m_recentList;
};

}  // namespace quorbex
