#include "data_exchange.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "gbk_codec.h"
#include "message_box.h"
#include "user_interface.h"

namespace quorbex::platform {

namespace {

std::optional<std::string> ToGbk(const QString& text, QString* refused = nullptr) {
    GbkEncodeError error;
    auto gbk = Utf8ToGbk(text.toStdString(), &error);
    if (!gbk && refused != nullptr) {
        *refused = QString::fromStdString(error.character);
    }
    return gbk;
}

QString FromGbk(const std::string& text) {
    return QString::fromStdString(GbkToUtf8(text));
}

QString RefusedCharacterMessage(const QString& character) {
    return QStringLiteral("字符“%1”不能存入药物字典,请改用其他字符。").arg(character);
}

// Bytes that text takes in GBK; a character GBK cannot hold counts as two,
// so that text set from elsewhere still has a length.
int LenientGbkLength(const QString& text) {
    if (const auto length = GbkLength(text)) {
        return *length;
    }
    int total = 0;
    for (const QChar character : text) {
        total += character.unicode() < 0x80 ? 1 : 2;
    }
    return total;
}

struct FittedEdit {
    QString text;
    int cursor;
    QString refused;
};

// Compares the text before and after an edit, and keeps of the inserted
// part only the characters that fit into limit bytes, up to the first one
// that GBK cannot represent.
FittedEdit FitEdit(const QString& before, const QString& after, int limit) {
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

    int used = LenientGbkLength(head + tail);
    QString kept;
    QString refused;
    for (qsizetype i = 0; i < inserted.size();) {
        const qsizetype width = inserted[i].isHighSurrogate() && i + 1 < inserted.size() ? 2 : 1;
        const QString character = inserted.mid(i, width);
        const auto bytes = GbkLength(character);
        if (!bytes) {
            refused = character;
            break;
        }
        if (used + *bytes > limit) {
            break;
        }
        kept += character;
        used += *bytes;
        i += width;
    }
    return {head + kept + tail, static_cast<int>(prefix + kept.size()), refused};
}

}  // namespace

void DataExchange::Fail(QWidget* control, const QString& message) {
    m_failed = true;
    m_ui.MessageBox(message, QString(), MB_ICONEXCLAMATION);
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

QString FirstCharacterOutsideGbk(const QString& text) {
    QString refused;
    ToGbk(text, &refused);
    return refused;
}

void ExchangeText(DataExchange& exchange, QLineEdit* box, std::string& text) {
    if (!exchange.SaveAndValidate()) {
        box->setText(FromGbk(text));
        return;
    }
    QString refused;
    if (const auto gbk = ToGbk(box->text(), &refused)) {
        text = *gbk;
    } else {
        exchange.Fail(box, RefusedCharacterMessage(refused));
    }
}

void ExchangeText(DataExchange& exchange, QPlainTextEdit* box, std::string& text) {
    if (!exchange.SaveAndValidate()) {
        box->setPlainText(FromGbk(text));
        return;
    }
    QString refused;
    if (const auto gbk = ToGbk(box->toPlainText(), &refused)) {
        text = *gbk;
    } else {
        exchange.Fail(box, RefusedCharacterMessage(refused));
    }
}

namespace {

void ValidateLength(DataExchange& exchange, QWidget* box, const std::string& text, int limit) {
    if (static_cast<int>(text.size()) > limit) {
        exchange.Fail(
            box,
            QStringLiteral("输入的内容不能超过%1个字节(%2个汉字)。").arg(limit).arg(limit / 2));
    }
}

}  // namespace

void ValidateMaxBytes(DataExchange& exchange, QLineEdit* box, const std::string& text, int limit) {
    if (exchange.SaveAndValidate()) {
        ValidateLength(exchange, box, text, limit);
        return;
    }
    delete GbkLimitValidator::Of(box);
    box->setValidator(new GbkLimitValidator(box, limit));
}

void ValidateMaxBytes(DataExchange& exchange, QPlainTextEdit* box, const std::string& text,
                      int limit) {
    if (exchange.SaveAndValidate()) {
        ValidateLength(exchange, box, text, limit);
        return;
    }
    delete GbkPlainTextLimit::Of(box);
    new GbkPlainTextLimit(box, limit);
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
    const FittedEdit fitted = FitEdit(m_accepted, input, m_limit);
    if (!fitted.refused.isEmpty()) {
        emit characterRefused(fitted.refused);
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
    const FittedEdit fitted = FitEdit(m_accepted, text, m_limit);
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
}

}  // namespace quorbex::platform
