#include "app/about_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "resources/dialog_templates.h"

namespace quorbex {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    const QMap<int, QWidget*> controls = platform::BuildDialog(*this, ABOUT_TEMPLATE);
    m_expand = qobject_cast<QPushButton*>(controls[IDC_EXPAND]);
    m_note = qobject_cast<QPlainTextEdit*>(controls[IDC_AUTHOR_NOTE]);
    connect(qobject_cast<QPushButton*>(controls[IDOK_BUTTON]), &QPushButton::clicked, this,
            &QDialog::accept);
    connect(m_expand, &QPushButton::clicked, this, [this] { OnExpand(); });
    OnInitDialog();
}

void AboutDialog::SetHeight(int height) {
    setFixedSize(width(), height);
}

void AboutDialog::OnInitDialog() {
    SetHeight(height() - m_note->height());
    m_note->setPlainText(platform::TemplateText(ABOUT_TEMPLATE, IDS_AUTHOR_NOTE)
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void AboutDialog::OnExpand() {
    const int start = height();
    const int grow = m_note->height();
    for (int h = start; h <= start + grow; ++h) {
        SetHeight(h);
        repaint();
    }
    m_note->show();
    m_expand->setEnabled(false);
}

int AboutDialog::DoModal() {
    return exec();
}

}  // namespace quorbex
