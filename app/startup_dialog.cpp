#include "app/startup_dialog.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/user_interface.h"
#include "resources/dialog_templates.h"
#include "resources/strings.h"

namespace quorbex {

StartupDialog::StartupDialog(platform::UserInterface& ui, const QStringList& recentFiles,
                             QWidget* parent)
    : QDialog(parent), m_ui(ui), m_recentFiles(recentFiles) {
    const QMap<int, QWidget*> controls = platform::BuildDialog(*this, STARTUP_TEMPLATE);
    m_template = qobject_cast<QRadioButton*>(controls[IDC_RADIO_TEMPLATE]);
    m_newEmpty = qobject_cast<QRadioButton*>(controls[IDC_RADIO_NEW_EMPTY]);
    m_openRecent = qobject_cast<QRadioButton*>(controls[IDC_RADIO_OPEN_RECENT]);
    m_recentList = qobject_cast<QListWidget*>(controls[IDC_RECENT_LIST]);
    connect(m_newEmpty, &QRadioButton::clicked, this, [this] { OnRadioNewEmpty(); });
    connect(m_openRecent, &QRadioButton::clicked, this, [this] { OnRadioOpenRecent(); });
    connect(qobject_cast<QPushButton*>(controls[IDOK_BUTTON]), &QPushButton::clicked, this,
            [this] { OnOK(); });
    connect(qobject_cast<QPushButton*>(controls[IDCANCEL_BUTTON]), &QPushButton::clicked, this,
            &QDialog::reject);
    OnInitDialog();
}

void StartupDialog::OnInitDialog() {
    m_recentList->addItems(m_recentFiles);
    m_openRecent->setChecked(true);
    m_recentList->setEnabled(true);
}

void StartupDialog::OnRadioNewEmpty() {
    m_recentList->setEnabled(false);
}

void StartupDialog::OnRadioOpenRecent() {
    m_recentList->setEnabled(true);
}

void StartupDialog::OnOK() {
    if (m_newEmpty->isChecked()) {
        m_strPath.clear();
        m_nChoice = CHOICE_NEW_EMPTY;
        accept();
        return;
    }
    if (m_openRecent->isChecked()) {
        const QListWidgetItem* selected = m_recentList->currentItem();
        if (selected == nullptr || !selected->isSelected()) {
            m_ui.MessageBox(Tr(UiText::NoRecentFileChosen), Tr(UiText::ErrorCaption),
                            QMessageBox::Critical);
            return;
        }
        m_strPath = selected->text();
        m_nChoice = CHOICE_OPEN_RECENT;
    }
    accept();
}

}  // namespace quorbex
