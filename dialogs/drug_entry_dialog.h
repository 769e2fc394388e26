// The form in which the user types or edits the seven fields of one drug.
// Each field takes at most the bytes its record field holds, shows the bytes
// left and refuses whole, with a message, a paste or drop that does not fit
// (see ByteLimitGuard); Enter moves on
// from a one-line field; OK needs a trade name or an English name. Typing a
// trade name fills in its pinyin initials while the pinyin box is empty or
// still holds what was filled in.
#pragma once

#include <QDialog>
#include <vector>

#include "document/drug_entry_prompt.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorbex {

class ByteLimitGuard;

namespace platform {
class UserInterface;
}

class DrugEntryDialog : public QDialog, public DrugEntryPrompt {
    Q_OBJECT
public:
    explicit DrugEntryDialog(platform::UserInterface& ui, QWidget* parent = nullptr);

    void ExchangeFields(DrugFields& fields, bool toCaller) override;
    QDialog::DialogCode DoModal() override;

    // Prepares the controls as the dialog opens: loads them from the fields,
    // sets their limits and tool tips and puts the focus on the trade name.
    void OnInitDialog();
    void OnOK();
    void OnNoEnter();

    QLineEdit* TradeNameBox() const { return m_tradeName; }
    QLineEdit* EnglishNameBox() const { return m_englishName; }
    QLineEdit* PinyinBox() const { return m_pinyin; }
    QLineEdit* OtherNamesBox() const { return m_otherNames; }
    QPlainTextEdit* UsageBox() const { return m_usage; }
    QPlainTextEdit* FunctionBox() const { return m_function; }
    QPlainTextEdit* CautionsBox() const { return m_cautions; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    // The counter of the bytes left in box, once the dialog has opened.
    QLabel* BytesLeftCounter(const QWidget* box) const;

signals:
    // A typed character did not fit its box; the dialog beeps.
    void limitReached();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Loads the controls from the fields, or reads them back with their
    // limits checked; false when reading failed.
    bool UpdateData(bool saveAndValidate);
    void SuggestPinyin();
    void GuardLimits();

    platform::UserInterface& m_ui;
    DrugFields m_fields;
    QString m_pinyinSuggestion;  // what SuggestPinyin last put in the pinyin box

    QLineEdit* m_tradeName;
    QLineEdit* m_englishName;
    QLineEdit* m_pinyin;
    QLineEdit* m_otherNames;
    QPlainTextEdit* m_usage;
    QPlainTextEdit* m_function;
    QPlainTextEdit* m_cautions;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_noEnter;
    std::vector<ByteLimitGuard*> m_guards;
};

}  // namespace quorbex
