#include "dialogs/drug_entry_dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <algorithm>

#include "dialogs/byte_limit_guard.h"
#include "platform/data_exchange.h"
#include "platform/gbk_text.h"
#include "platform/user_interface.h"
#include "resources/dialog_templates.h"
#include "resources/strings.h"
#include "store/dictionary_format.h"
#include "store/pinyin.h"

namespace quorbex {

namespace {

// Tool tips that show half a second after the mouse comes to rest on a box.
class ToolTipDelayStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay) {
            return 500;
        }
        if (hint == SH_ToolTip_FallAsleepDelay) {
            return 100;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int TOOL_TIP_DURATION_MS = 5000;

bool IsBlank(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n';
}

bool IsBlankText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), IsBlank);
}

// The Chinese labels fit the template as it is; translated ones take the
// wider layout.
const platform::DialogTemplate& EntryTemplate() {
    const char* label = DRUG_ENTRY_CONTROLS[0].text;
    return platform::TemplateText(DRUG_ENTRY_TEMPLATE, label) == QString::fromUtf8(label)
               ? DRUG_ENTRY_TEMPLATE
               : DRUG_ENTRY_WIDE_TEMPLATE;
}

}  // namespace

DrugEntryDialog::DrugEntryDialog(platform::UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui) {
    const QMap<int, QWidget*> controls = platform::BuildDialog(*this, EntryTemplate());
    m_tradeName = qobject_cast<QLineEdit*>(controls[IDC_TRADE_NAME]);
    m_englishName = qobject_cast<QLineEdit*>(controls[IDC_ENGLISH_NAME]);
    m_pinyin = qobject_cast<QLineEdit*>(controls[IDC_PINYIN]);
    m_otherNames = qobject_cast<QLineEdit*>(controls[IDC_OTHER_NAMES]);
    m_usage = qobject_cast<QPlainTextEdit*>(controls[IDC_USAGE]);
    m_function = qobject_cast<QPlainTextEdit*>(controls[IDC_FUNCTION]);
    m_cautions = qobject_cast<QPlainTextEdit*>(controls[IDC_CAUTIONS]);
    m_ok = qobject_cast<QPushButton*>(controls[IDOK_BUTTON]);
    m_cancel = qobject_cast<QPushButton*>(controls[IDCANCEL_BUTTON]);
    m_noEnter = qobject_cast<QPushButton*>(controls[IDC_NO_ENTER]);

    // The multi-line boxes take Enter as a line break.
    for (QPlainTextEdit* box : {m_usage, m_function, m_cautions}) {
        box->setTabChangesFocus(true);
    }
    connect(m_ok, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_noEnter, &QPushButton::clicked, this, [this] { OnNoEnter(); });
    // Only the user's edits: loading the boxes leaves the pinyin as stored.
    connect(m_tradeName, &QLineEdit::textEdited, this, [this] { SuggestPinyin(); });
    connect(this, &DrugEntryDialog::limitReached, this, [] { QApplication::beep(); });
}

void DrugEntryDialog::ExchangeFields(DrugFields& fields, bool toCaller) {
    if (toCaller) {
        fields = m_fields;
    } else {
        m_fields = fields;
    }
}

QDialog::DialogCode DrugEntryDialog::DoModal() {
    OnInitDialog();
    return exec() == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected;
}

void DrugEntryDialog::OnInitDialog() {
    UpdateData(false);
    GuardLimits();
    auto* delayStyle = new ToolTipDelayStyle;
    delayStyle->setParent(this);
    const std::pair<QWidget*, UiText> tips[] = {
        {m_tradeName, UiText::TradeNameTip}, {m_englishName, UiText::EnglishNameTip},
        {m_pinyin, UiText::PinyinTip},       {m_otherNames, UiText::OtherNamesTip},
        {m_function, UiText::FunctionTip},   {m_usage, UiText::UsageTip},
        {m_cautions, UiText::CautionsTip},
    };
    for (const auto& [box, tip] : tips) {
        box->setToolTip(Tr(tip));
        box->setToolTipDuration(TOOL_TIP_DURATION_MS);
        box->setStyle(delayStyle);
    }
    m_tradeName->setFocus();
}

// Loading the boxes gave each its limit afresh; the guards watch those.
void DrugEntryDialog::GuardLimits() {
    for (ByteLimitGuard* guard : m_guards) {
        delete guard;
    }
    m_guards.clear();
    const std::pair<QLineEdit*, UiText> lines[] = {
        {m_tradeName, UiText::FieldTradeName},
        {m_englishName, UiText::FieldEnglishName},
        {m_pinyin, UiText::FieldPinyin},
        {m_otherNames, UiText::FieldOtherNames},
    };
    const std::pair<QPlainTextEdit*, UiText> texts[] = {
        {m_usage, UiText::FieldUsage},
        {m_function, UiText::FieldFunction},
        {m_cautions, UiText::FieldCautions},
    };
    for (const auto& [box, name] : lines) {
        m_guards.push_back(new ByteLimitGuard(m_ui, box, Tr(name)));
    }
    for (const auto& [box, name] : texts) {
        m_guards.push_back(new ByteLimitGuard(m_ui, box, Tr(name)));
    }
    for (ByteLimitGuard* guard : m_guards) {
        connect(guard, &ByteLimitGuard::limitReached, this, &DrugEntryDialog::limitReached);
    }
}

QLabel* DrugEntryDialog::BytesLeftCounter(const QWidget* box) const {
    for (const ByteLimitGuard* guard : m_guards) {
        if (guard->parent() == box) {
            return guard->Counter();
        }
    }
    return nullptr;
}

bool DrugEntryDialog::UpdateData(bool saveAndValidate) {
    platform::DataExchange exchange(m_ui, saveAndValidate);
    // Each box with its field, limited to what the record holds; the first
    // failure ends the exchange.
    const auto exchangeBox = [this, &exchange](auto* box, Field field) {
        std::string& text = m_fields[field];
        if (!exchange.Failed()) {
            platform::ExchangeText(exchange, box, text);
        }
        if (!exchange.Failed()) {
            platform::ValidateMaxBytes(exchange, box, text,
                                       static_cast<int>(LayoutOf(field).limit));
        }
    };
    exchangeBox(m_tradeName, Field::TradeName);
    exchangeBox(m_function, Field::Function);
    exchangeBox(m_cautions, Field::Cautions);
    exchangeBox(m_englishName, Field::EnglishName);
    exchangeBox(m_otherNames, Field::OtherNames);
    exchangeBox(m_pinyin, Field::PinyinInitials);
    exchangeBox(m_usage, Field::Usage);
    return !exchange.Failed();
}

void DrugEntryDialog::OnOK() {
    UpdateData(true);
    if (IsBlankText(m_fields.tradeName) && IsBlankText(m_fields.englishName)) {
        m_ui.MessageBox(Tr(UiText::NameRequired), Tr(UiText::InputErrorCaption),
                        QMessageBox::Critical);
        return;
    }
    if (UpdateData(true)) {
        accept();
    }
}

// The user's own pinyin stays; the suggestion follows the trade name. The
// trade name box holds only GBK text, so the conversion fails only on text set
// from elsewhere, which is then left alone.
void DrugEntryDialog::SuggestPinyin() {
    if (!m_pinyin->text().isEmpty() && m_pinyin->text() != m_pinyinSuggestion) {
        return;
    }
    const std::optional<std::string> tradeName = platform::ToGbk(m_tradeName->text());
    if (!tradeName) {
        return;
    }
    m_pinyinSuggestion =
        QString::fromStdString(pinyin::Initials(*tradeName, LayoutOf(Field::PinyinInitials).limit));
    m_pinyin->setText(m_pinyinSuggestion);
}

void DrugEntryDialog::OnNoEnter() {
    focusNextChild();
}

void DrugEntryDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget()) != nullptr) {
        // The hidden default button takes Enter from a one-line box.
        m_noEnter->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quorbex
