#include "dialogs/byte_limit_guard.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>

#include "platform/data_exchange.h"
#include "platform/user_interface.h"
#include "resources/strings.h"

namespace quorbex {

namespace {

constexpr int LINE_BREAK_BYTES = 2;  // a multi-line box stores "\r\n"
constexpr int COUNTER_GAP = 3;

// What inserting text into room bytes would lose: the part from the first
// character that does not fit. Nothing when it all fits or when GBK cannot
// hold the text (the box's own limit refuses that character then).
std::optional<platform::EditOverflow> OverflowOf(const QString& text, int room,
                                                 int lineBreakBytes) {
    platform::EditOverflow overflow{text, QString(), 0, room, false};
    int used = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        const auto bytes = character == QStringLiteral("\n") ? std::optional<int>(lineBreakBytes)
                                                             : platform::GbkLength(character);
        if (!bytes) {
            return std::nullopt;
        }
        if (!overflow.lost.isEmpty() || used + *bytes > room) {
            overflow.lost += character;
            overflow.bytesOver += *bytes;
        } else {
            used += *bytes;
        }
        i += width;
    }
    if (overflow.lost.isEmpty()) {
        return std::nullopt;
    }
    return overflow;
}

int LimitOf(QLineEdit* box) {
    const auto* limit = platform::GbkLimitValidator::Of(box);
    Q_ASSERT(limit != nullptr);
    return limit->Limit();
}

int LimitOf(QPlainTextEdit* box) {
    const auto* limit = platform::GbkPlainTextLimit::Of(box);
    Q_ASSERT(limit != nullptr);
    return limit->Limit();
}

}  // namespace

ByteLimitGuard::ByteLimitGuard(platform::UserInterface& ui, QLineEdit* box,
                               const QString& fieldName)
    : ByteLimitGuard(ui, box, LimitOf(box), false, fieldName) {
    auto* limit = platform::GbkLimitValidator::Of(box);
    limit->SetOversizeEdit(platform::OversizeEdit::RefuseWhole);
    connect(limit, &platform::GbkLimitValidator::editTooLong, this,
            [this](const platform::EditOverflow& overflow) { OnOverflow(overflow, false); });
    connect(box, &QLineEdit::textChanged, this, &ByteLimitGuard::UpdateCounter);
    box->installEventFilter(this);
    // The counter sits at the right end of the box, clear of the text.
    box->setTextMargins(0, 0, m_counter->width() + COUNTER_GAP, 0);
    PlaceCounter();
}

ByteLimitGuard::ByteLimitGuard(platform::UserInterface& ui, QPlainTextEdit* box,
                               const QString& fieldName)
    : ByteLimitGuard(ui, box, LimitOf(box), true, fieldName) {
    auto* limit = platform::GbkPlainTextLimit::Of(box);
    limit->SetOversizeEdit(platform::OversizeEdit::RefuseWhole);
    connect(limit, &platform::GbkPlainTextLimit::editTooLong, this,
            [this](const platform::EditOverflow& overflow) { OnOverflow(overflow, false); });
    connect(box, &QPlainTextEdit::textChanged, this, &ByteLimitGuard::UpdateCounter);
    // A multi-line box takes its drops in its viewport.
    box->viewport()->installEventFilter(this);
    box->installEventFilter(this);
    PlaceCounter();
}

ByteLimitGuard::ByteLimitGuard(platform::UserInterface& ui, QWidget* box, int limit, bool multiLine,
                               const QString& fieldName)
    : QObject(box),
      m_ui(ui),
      m_box(box),
      m_limit(limit),
      m_multiLine(multiLine),
      m_fieldName(fieldName),
      // A multi-line box's counter stands beside its foot, under the field's
      // label; a one-line box has no room beside it and holds its counter.
      m_counter(new QLabel(multiLine ? box->parentWidget() : box)) {
    m_counter->setObjectName(QStringLiteral("bytesLeft"));
    QFont small = m_counter->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    m_counter->setFont(small);
    m_counter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_counter->setFixedSize(m_counter->fontMetrics().horizontalAdvance(QString::number(limit)) + 2,
                            m_counter->fontMetrics().height());
    m_counter->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_counter->show();
    UpdateCounter();
}

ByteLimitGuard::~ByteLimitGuard() {
    delete m_counter;
}

int ByteLimitGuard::BytesLeft() const {
    const int used = m_multiLine ? platform::BoxBytes(static_cast<QPlainTextEdit*>(m_box))
                                 : platform::BoxBytes(static_cast<QLineEdit*>(m_box));
    return m_limit - used;
}

void ByteLimitGuard::UpdateCounter() {
    const int left = BytesLeft();
    m_counter->setText(QString::number(std::max(left, 0)));
    m_counter->setToolTip(Tr(UiText::BytesLeftTip).arg(std::max(left, 0)));
    QPalette palette = m_counter->palette();
    palette.setColor(QPalette::WindowText, left <= 0
                                               ? QColor(Qt::red)
                                               : m_box->palette().color(QPalette::PlaceholderText));
    m_counter->setPalette(palette);
}

void ByteLimitGuard::PlaceCounter() {
    const QSize size = m_counter->size();
    if (m_multiLine) {
        const QRect box = m_box->geometry();
        m_counter->move(box.left() - size.width() - COUNTER_GAP, box.bottom() - size.height());
    } else {
        const QRect inside = m_box->contentsRect();
        m_counter->move(inside.right() - size.width() - 1,
                        inside.top() + (inside.height() - size.height()) / 2);
    }
}

bool ByteLimitGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) {
        if (watched == m_box) {
            PlaceCounter();
        }
        return false;
    }
    if (event->type() != QEvent::Drop) {
        return false;
    }
    // A drop that does not fit is refused before the box takes any of it, so
    // that a move leaves the text where it came from.
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() == m_box || drop->source() == watched || !drop->mimeData()->hasText()) {
        return false;
    }
    const auto overflow =
        OverflowOf(drop->mimeData()->text(), BytesLeft(), m_multiLine ? LINE_BREAK_BYTES : 1);
    if (!overflow) {
        return false;
    }
    drop->setDropAction(Qt::IgnoreAction);
    drop->ignore();
    OnOverflow(*overflow, true);
    return true;
}

void ByteLimitGuard::OnOverflow(const platform::EditOverflow& overflow, bool dropped) {
    if (overflow.typed) {
        emit limitReached();
        return;
    }
    QString message = Tr(UiText::EditTooLong)
                          .arg(m_fieldName)
                          .arg(overflow.bytesOver)
                          .arg(m_limit)
                          .arg(overflow.room)
                          .arg(overflow.lost);
    // Where the text came from, if it still is somewhere (an input method's
    // phrase is not).
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const bool pasted = overflow.inserted == clipboard->text() ||
                        (clipboard->supportsSelection() &&
                         overflow.inserted == clipboard->text(QClipboard::Selection));
    if (dropped || pasted) {
        message +=
            QStringLiteral("\n") + Tr(dropped ? UiText::DroppedTextKept : UiText::PastedTextKept);
    }
    // Told once the edit is done, outside the box's own handling of it.
    QTimer::singleShot(0, this, [this, message] {
        m_ui.MessageBox(message, Tr(UiText::InputErrorCaption), QMessageBox::Warning);
        m_box->setFocus();
    });
}

}  // namespace quorbex
