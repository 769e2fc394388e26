// Watches over one edit box limited in GBK bytes so that nothing the user
// types, pastes or drops disappears without a word: a small counter shows the
// bytes left (red once none are), a typed character that does not fit is
// refused with a beep, and a paste or drop that does not fit is refused whole
// with a message that says how much does not fit and shows that part.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace quorbex {

namespace platform {
class UserInterface;
struct EditOverflow;
}  // namespace platform

class ByteLimitGuard : public QObject {
    Q_OBJECT
public:
    // The box must already carry its limit (platform::ValidateMaxBytes);
    // fieldName names the field in the message.
    ByteLimitGuard(platform::UserInterface& ui, QLineEdit* box, const QString& fieldName);
    ByteLimitGuard(platform::UserInterface& ui, QPlainTextEdit* box, const QString& fieldName);
    ~ByteLimitGuard() override;

    QLabel* Counter() const { return m_counter; }
    int BytesLeft() const;

signals:
    // A typed character did not fit.
    void limitReached();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ByteLimitGuard(platform::UserInterface& ui, QWidget* box, int limit, bool multiLine,
                   const QString& fieldName);
    void OnOverflow(const platform::EditOverflow& overflow, bool dropped);
    void UpdateCounter();
    void PlaceCounter();

    platform::UserInterface& m_ui;
    QWidget* m_box;
    int m_limit;
    bool m_multiLine;
    QString m_fieldName;
    QPointer<QLabel> m_counter;
};

}  // namespace quorbex
