// The main window's status bar: the menu prompts and the idle text, the
// record counts of the active dictionary, and the state of the keyboard's
// lock keys, which it follows wherever in the program they are pressed.
#pragma once

#include <QMap>
#include <QStatusBar>

class QLabel;

namespace quorbex {

class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(QWidget* parent = nullptr);
    ~MainStatusBar() override;

    // The records in the dictionary and the results of its last search.
    void ShowRecordCounts(int records, int results);
    // A warning beside the idle text, that stays until it is replaced;
    // none when text is empty.
    void ShowWarning(const QString& text);
    QString Warning() const;
    // The pane of a status bar indicator; null for an unknown one.
    QLabel* Pane(unsigned paneId) const { return m_panes.value(paneId); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddPane(unsigned id, const QString& widthText, const QString& text);
    void UpdateLockPanes();

    QMap<unsigned, QLabel*> m_panes;
    QLabel* m_warning;
};

}  // namespace quorbex
