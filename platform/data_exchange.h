// Moving text between a dialog's edit boxes and the caller's GBK strings,
// with length limits counted in GBK bytes (a Chinese character is two).
#pragma once

#include <QObject>
#include <QString>
#include <QValidator>
#include <optional>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace quorbex::platform {

class UserInterface;

// One exchange between a dialog and its data: loading the controls, or
// saving and validating them. A failed step reports to the user, puts the
// focus on its control and marks the whole exchange failed.
class DataExchange {
public:
    DataExchange(UserInterface& ui, bool saveAndValidate)
        : m_ui(ui), m_saveAndValidate(saveAndValidate) {}

    bool SaveAndValidate() const { return m_saveAndValidate; }
    bool Failed() const { return m_failed; }
    UserInterface& Ui() const { return m_ui; }
    void Fail(QWidget* control, const QString& message);

private:
    UserInterface& m_ui;
    bool m_saveAndValidate;
    bool m_failed = false;
};

// Loads the box from text (GBK), or saves the box's text into it. A
// character that GBK cannot hold fails the exchange with a message. A
// multi-line box shows each stored "\r\n" as a line break and stores its
// line breaks so; a text left as it was loaded goes back byte for byte.
void ExchangeText(DataExchange& exchange, QLineEdit* box, std::string& text);
void ExchangeText(DataExchange& exchange, QPlainTextEdit* box, std::string& text);

// On load, limits what the box takes to limit bytes (a line break of a
// multi-line box taking two) and tells the user of each character refused
// for GBK; on save, fails when text is longer than the limit.
void ValidateMaxBytes(DataExchange& exchange, QLineEdit* box, const std::string& text, int limit);
void ValidateMaxBytes(DataExchange& exchange, QPlainTextEdit* box, const std::string& text,
                      int limit);

// Number of GBK bytes of text, or nothing if GBK cannot hold all of it.
std::optional<int> GbkLength(const QString& text);

// What a box limited in bytes does with an edit that does not fit: keep the
// part that fits, or keep none of it, so that a long paste is never cut
// without the user's say.
enum class OversizeEdit { KeepWhatFits, RefuseWhole };

// An edit that did not fit: the inserted text, the part of it beyond the
// limit (what cutting it loses), how many bytes that part takes and how many
// were free for the edit. A single character counts as typed; more at once (a
// paste, a drop, an input method's phrase) as pasted.
struct EditOverflow {
    QString inserted;
    QString lost;
    int bytesOver = 0;
    int room = 0;
    bool typed = false;
};

// Bytes that text takes in a box limited in GBK bytes, a line break of a
// multi-line box taking two; a character GBK cannot hold counts as two.
int BoxBytes(const QLineEdit* box);
int BoxBytes(const QPlainTextEdit* box);

// Keeps a one-line box within a number of GBK bytes: of what is typed or
// pasted, only the characters that still fit are taken (none of an edit that
// does not fit whole, by the rule RefuseWhole), and nothing from the first
// character GBK cannot represent on. An edit that did not fit is told.
class GbkLimitValidator : public QValidator {
    Q_OBJECT
public:
    GbkLimitValidator(QLineEdit* box, int limit);

    State validate(QString& input, int& position) const override;
    int Limit() const { return m_limit; }
    void SetOversizeEdit(OversizeEdit rule) { m_rule = rule; }
    static GbkLimitValidator* Of(QLineEdit* box);

signals:
    // An edit brought a character GBK cannot represent; it was left out.
    void characterRefused(const QString& character) const;
    // An edit did not fit the limit; it was cut or refused by the rule.
    void editTooLong(const quorbex::platform::EditOverflow& overflow) const;

private:
    int m_limit;
    OversizeEdit m_rule = OversizeEdit::KeepWhatFits;
    QString m_accepted;  // the box's text before the edit being validated
};

// Keeps a multi-line box within a number of GBK bytes as GbkLimitValidator
// keeps a one-line box: what does not fit of an edit (all of it, by the rule
// RefuseWhole) is taken out again, and so is everything from the first
// character GBK cannot represent on.
class GbkPlainTextLimit : public QObject {
    Q_OBJECT
public:
    GbkPlainTextLimit(QPlainTextEdit* box, int limit);

    int Limit() const { return m_limit; }
    void SetOversizeEdit(OversizeEdit rule) { m_rule = rule; }
    static GbkPlainTextLimit* Of(QPlainTextEdit* box);

signals:
    void characterRefused(const QString& character);
    void editTooLong(const quorbex::platform::EditOverflow& overflow);

private:
    void Check();

    QPlainTextEdit* m_box;
    int m_limit;
    OversizeEdit m_rule = OversizeEdit::KeepWhatFits;
    QString m_accepted;
    bool m_fitting = false;
};

}  // namespace quorbex::platform
