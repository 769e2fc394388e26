// A small prompt for one line of text, limited in GBK bytes; a paste that
// does not fit is cut to the limit and the user told what was cut.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorbex {

namespace platform {
class UserInterface;
}

class TextInputDialog : public QDialog {
    Q_OBJECT
public:
    TextInputDialog(platform::UserInterface& ui, QWidget* parent);

    // With toCaller false the dialog takes the prompt, the text (GBK) and a
    // limit above 0; with it true the text receives what the box holds.
    void ExchangeText(QString& prompt, std::string& text, int limit, bool toCaller);
    QDialog::DialogCode DoModal();

    void OnInitDialog();
    void OnOK();

    QLabel* PromptLabel() const { return m_prompt; }
    QLineEdit* TextBox() const { return m_text; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    bool UpdateData(bool saveAndValidate);

    platform::UserInterface& m_ui;
    std::string m_strText;
    int m_nLimit = 0;
    QString m_strPrompt;
    // The template's prompt, shown when the caller gives none.
    QString m_defaultPrompt;

    QLabel* m_prompt;
    QLineEdit* m_text;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

// Asks for one line of text over parent: text starts as the box's value and
// receives the entry after OK; true then.
bool InputText(platform::UserInterface& ui, QWidget* parent, const QString& prompt,
               std::string& text, int limit);

}  // namespace quorbex
