#include "dialogs/text_input_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "platform/data_exchange.h"
#include "platform/user_interface.h"
#include "resources/dialog_templates.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

constexpr int DEFAULT_LIMIT = 100;

}  // namespace

TextInputDialog::TextInputDialog(platform::UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    const QMap<int, QWidget*> controls = platform::BuildDialog(*this, TEXT_INPUT_TEMPLATE);
    m_prompt = qobject_cast<QLabel*>(controls[IDC_INPUT_PROMPT]);
    m_defaultPrompt = m_prompt->text();
    m_text = qobject_cast<QLineEdit*>(controls[IDC_INPUT_TEXT]);
    m_ok = qobject_cast<QPushButton*>(controls[IDOK_BUTTON]);
    m_cancel = qobject_cast<QPushButton*>(controls[IDCANCEL_BUTTON]);
    connect(m_ok, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TextInputDialog::ExchangeText(QString& prompt, std::string& text, int limit, bool toCaller) {
    if (toCaller) {
        text = m_strText;
        return;
    }
    m_strPrompt = prompt;
    m_strText = text;
    if (limit > 0) {
        m_nLimit = limit;
    }
}

QDialog::DialogCode TextInputDialog::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
}

void TextInputDialog::OnInitDialog() {
    UpdateData(false);
    platform::DataExchange limits(m_ui, false);
    const int limit = m_nLimit > 0 ? m_nLimit : DEFAULT_LIMIT;
    platform::ValidateMaxBytes(limits, m_text, m_strText, limit);
    // The box keeps what fits of a paste; the user hears of what it cut.
    connect(platform::GbkLimitValidator::Of(m_text), &platform::GbkLimitValidator::editTooLong,
            this, [this, limit](const platform::EditOverflow& overflow) {
                if (overflow.typed) {
                    return;
                }
                const QString message = Tr(UiText::PasteCut).arg(limit).arg(overflow.lost);
                QTimer::singleShot(0, this, [this, message] {
                    m_ui.MessageBox(message, QString(), QMessageBox::Warning);
                });
            });
    m_prompt->setText(m_strPrompt.isEmpty() ? m_defaultPrompt : m_strPrompt);
    m_text->selectAll();
    m_text->setFocus();
}

bool TextInputDialog::UpdateData(bool saveAndValidate) {
    platform::DataExchange exchange(m_ui, saveAndValidate);
    platform::ExchangeText(exchange, m_text, m_strText);
    return !exchange.Failed();
}

void TextInputDialog::OnOK() {
    if (UpdateData(true)) {
        accept();
    }
}

bool InputText(platform::UserInterface& ui, QWidget* parent, const QString& prompt,
               std::string& text, int limit) {
    TextInputDialog dialog(ui, parent);
    QString promptText = prompt;
    dialog.ExchangeText(promptText, text, limit, false);
    if (dialog.DoModal() != QDialog::Accepted) {
        return false;
    }
    dialog.ExchangeText(promptText, text, 0, true);
    return true;
}

}  // namespace quorbex
