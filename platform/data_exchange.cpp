#include "platform/data_exchange.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <QVariant>

#include "platform/framework_strings.h"
#include "platform/gbk_text.h"
#include "platform/user_interface.h"

namespace quorbex::platform {

namespace {

QString RefusedCharacterMessage(const QString& character) {
    return Tr(FrameworkText::RefusedCharacter).arg(character);
}

// A multi-line box holds its line breaks as "\n"; the record stores each as
// "\r\n", two bytes.
const QString STORED_LINE_BREAK = QStringLiteral("\r\n");
const QString SHOWN_LINE_BREAK = QStringLiteral("\n");
constexpr int LINE_BREAK_BYTES = 2;

// What a box loaded: the stored text, so that a text the user left as it was
// goes back byte for byte.
constexpr char LOADED_BYTES[] = "quorbexLoadedBytes";
constexpr char LOADED_TEXT[] = "quorbexLoadedText";

// Bytes that text takes in GBK, with lineBreakBytes for each "\n"; a
// character GBK cannot hold counts as two, so that text set from elsewhere
// still has a length.
int LenientGbkLength(const QString& text, int lineBreakBytes) {
    int total = static_cast<int>(text.count(QLatin1Char('\n'))) * (lineBreakBytes - 1);
    if (const auto length = GbkLength(text)) {
        return total + *length;
    }
    for (const QChar character : text) {
        total += character.unicode() < 0x80 ? 1 : 2;
    }
    return total;
}

struct FittedEdit {
    QString text;
    int cursor;
    QString refused;
    std::optional<EditOverflow> overflow;
};

// Compares the text before and after an edit, and keeps of the inserted
// part only the characters that fit into limit bytes (or, by the rule,
// none of them when not all fit), up to the first one that GBK cannot
// represent.
FittedEdit FitEdit(const QString& before, const QString& after, int limit, int lineBreakBytes,
                   OversizeEdit rule) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const QString head = after.left(prefix);
    const QString tail = after.right(suffix);
    const QString inserted = after.mid(prefix, after.size() - prefix - suffix);

    int used = LenientGbkLength(head + tail, lineBreakBytes);
    const int room = std::max(limit - used, 0);
    QString kept;
    QString lost;
    QString refused;
    int bytesOver = 0;
    for (qsizetype i = 0; i < inserted.size();) {
        const qsizetype width = inserted[i].isHighSurrogate() && i + 1 < inserted.size() ? 2 : 1;
        const QString character = inserted.mid(i, width);
        const auto bytes = character == SHOWN_LINE_BREAK ? std::optional<int>(lineBreakBytes)
                                                         : GbkLength(character);
        if (!bytes) {
            refused = character;
            break;
        }
        if (!lost.isEmpty() || used + *bytes > limit) {
            lost += character;
            bytesOver += *bytes;
        } else {
            kept += character;
            used += *bytes;
        }
        i += width;
    }
    std::optional<EditOverflow> overflow;
    if (!lost.isEmpty()) {
        const QString offered = kept + lost;
        const bool typed =
            offered.size() == 1 || (offered.size() == 2 && offered[0].isHighSurrogate());
        overflow = EditOverflow{offered, lost, bytesOver, room, typed};
        if (rule == OversizeEdit::RefuseWhole) {
            kept.clear();
        }
    }
    return {head + kept + tail, static_cast<int>(prefix + kept.size()), refused, overflow};
}

}  // namespace

void DataExchange::Fail(QWidget* control, const QString& message) {
    m_failed = true;
    m_ui.MessageBox(message, QString(), QMessageBox::Warning);
    if (control != nullptr) {
        control->setFocus();
    }
}

std::optional<int> GbkLength(const QString& text) {
    const auto gbk = ToGbk(text);
    if (!gbk) {
        return std::nullopt;
    }
    return static_cast<int>(gbk->size());
}

int BoxBytes(const QLineEdit* box) {
    return LenientGbkLength(box->text(), 1);
}

int BoxBytes(const QPlainTextEdit* box) {
    return LenientGbkLength(box->toPlainText(), LINE_BREAK_BYTES);
}

namespace {

// Puts text (GBK) into a box through setText, and remembers it.
template <typename Box>
void LoadBox(Box* box, const std::string& text, const QString& shown,
             void (Box::*setText)(const QString&)) {
    (box->*setText)(shown);
    box->setProperty(LOADED_BYTES, QByteArray::fromStdString(text));
    box->setProperty(LOADED_TEXT, shown);
}

// The GBK bytes of what a box shows: the bytes it was loaded with when the
// user left the text as it was (a name cut inside a character included),
// else the text encoded, or a failed exchange.
void SaveBox(DataExchange& exchange, QWidget* box, const QString& shown, std::string& text) {
    if (box->property(LOADED_TEXT).isValid() && shown == box->property(LOADED_TEXT).toString()) {
        text = box->property(LOADED_BYTES).toByteArray().toStdString();
        return;
    }
    QString refused;
    if (const auto gbk =
            ToGbk(QString(shown).replace(SHOWN_LINE_BREAK, STORED_LINE_BREAK), &refused)) {
        text = *gbk;
    } else {
        exchange.Fail(box, RefusedCharacterMessage(refused));
    }
}

}  // namespace

void ExchangeText(DataExchange& exchange, QLineEdit* box, std::string& text) {
    if (exchange.SaveAndValidate()) {
        SaveBox(exchange, box, box->text(), text);
    } else {
        LoadBox(box, text, FromGbk(text), &QLineEdit::setText);
    }
}

void ExchangeText(DataExchange& exchange, QPlainTextEdit* box, std::string& text) {
    if (exchange.SaveAndValidate()) {
        SaveBox(exchange, box, box->toPlainText(), text);
    } else {
        LoadBox(box, text, FromGbk(text).replace(STORED_LINE_BREAK, SHOWN_LINE_BREAK),
                &QPlainTextEdit::setPlainText);
    }
}

namespace {

void ValidateLength(DataExchange& exchange, QWidget* box, const std::string& text, int limit) {
    if (static_cast<int>(text.size()) > limit) {
        exchange.Fail(box, Tr(FrameworkText::TooLong).arg(limit).arg(limit / 2));
    }
}

}  // namespace

// Tells the user, once the edit is done, why a character did not arrive.
template <typename Limit>
void ReportRefusals(UserInterface& ui, Limit* limit) {
    QObject::connect(
        limit, &Limit::characterRefused, limit, [&ui, limit](const QString& character) {
            QTimer::singleShot(0, limit, [&ui, character] {
                ui.MessageBox(RefusedCharacterMessage(character), QString(), QMessageBox::Warning);
            });
        });
}

void ValidateMaxBytes(DataExchange& exchange, QLineEdit* box, const std::string& text, int limit) {
    if (exchange.SaveAndValidate()) {
        ValidateLength(exchange, box, text, limit);
        return;
    }
    delete GbkLimitValidator::Of(box);
    auto* validator = new GbkLimitValidator(box, limit);
    ReportRefusals(exchange.Ui(), validator);
    box->setValidator(validator);
}

void ValidateMaxBytes(DataExchange& exchange, QPlainTextEdit* box, const std::string& text,
                      int limit) {
    if (exchange.SaveAndValidate()) {
        ValidateLength(exchange, box, text, limit);
        return;
    }
    delete GbkPlainTextLimit::Of(box);
    ReportRefusals(exchange.Ui(), new GbkPlainTextLimit(box, limit));
}

GbkLimitValidator::GbkLimitValidator(QLineEdit* box, int limit)
    : QValidator(box), m_limit(limit), m_accepted(box->text()) {
    connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { m_accepted = text; });
}

GbkLimitValidator* GbkLimitValidator::Of(QLineEdit* box) {
    return box->findChild<GbkLimitValidator*>(QString(), Qt::FindDirectChildrenOnly);
}

QValidator::State GbkLimitValidator::validate(QString& input, int& position) const {
    if (input == m_accepted) {
        return Acceptable;
    }
    const FittedEdit fitted = FitEdit(m_accepted, input, m_limit, 1, m_rule);
    if (!fitted.refused.isEmpty()) {
        emit characterRefused(fitted.refused);
    }
    if (fitted.overflow) {
        emit editTooLong(*fitted.overflow);
    }
    input = fitted.text;
    position = std::min(position, fitted.cursor);
    return Acceptable;
}

GbkPlainTextLimit::GbkPlainTextLimit(QPlainTextEdit* box, int limit)
    : QObject(box), m_box(box), m_limit(limit), m_accepted(box->toPlainText()) {
    connect(box, &QPlainTextEdit::textChanged, this, &GbkPlainTextLimit::Check);
}

GbkPlainTextLimit* GbkPlainTextLimit::Of(QPlainTextEdit* box) {
    return box->findChild<GbkPlainTextLimit*>(QString(), Qt::FindDirectChildrenOnly);
}

void GbkPlainTextLimit::Check() {
    if (m_fitting) {
        return;
    }
    const QString text = m_box->toPlainText();
    const FittedEdit fitted = FitEdit(m_accepted, text, m_limit, LINE_BREAK_BYTES, m_rule);
    if (fitted.text != text) {
        // Remove what did not fit, as one more edit, so that undo still works.
        m_fitting = true;
        QTextCursor cursor(m_box->document());
        cursor.setPosition(fitted.cursor);
        cursor.setPosition(fitted.cursor + static_cast<int>(text.size() - fitted.text.size()),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_box->setTextCursor(cursor);
        m_fitting = false;
    }
    m_accepted = m_box->toPlainText();
    if (!fitted.refused.isEmpty()) {
        emit characterRefused(fitted.refused);
    }
    if (fitted.overflow) {
        emit editTooLong(*fitted.overflow);
    }
}

}  // namespace quorbex::platform
