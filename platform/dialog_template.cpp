#include "platform/dialog_template.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "platform/svg_icon.h"

namespace quorbex::platform {

namespace {

int Scale(int units, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

QWidget* CreateControl(QDialog& dialog, const DialogTemplate& dialogTemplate,
                       const DialogControl& control) {
    const QString text = control.kind == ControlKind::Icon
                             ? QString::fromUtf8(control.text)
                             : TemplateText(dialogTemplate, control.text);
    switch (control.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(text, &dialog);
            label->setAlignment(
                ((control.style & CTL_CENTER) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                Qt::AlignTop);
            return label;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(&dialog);
            label->setPixmap(SvgIcon(text).pixmap(32, 32));
            return label;
        }
        case ControlKind::GroupBox:
            return new QGroupBox(text, &dialog);
        case ControlKind::LineEdit:
            return new QLineEdit(text, &dialog);
        case ControlKind::RadioButton:
            return new QRadioButton(text, &dialog);
        case ControlKind::ListBox:
            return new QListWidget(&dialog);
        case ControlKind::MultiLineEdit: {
            auto* edit = new QPlainTextEdit(text, &dialog);
            edit->setTabChangesFocus(true);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            return edit;
        }
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(text, &dialog);
            // A button with the focus takes Enter, as the default one does otherwise.
            button->setAutoDefault(true);
            button->setDefault(control.kind == ControlKind::DefaultPushButton);
            return button;
        }
    }
    return nullptr;
}

}  // namespace

QString TemplateText(const DialogTemplate& dialogTemplate, const char* text) {
    return QCoreApplication::translate(dialogTemplate.context, text);
}

QSize DialogBaseUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {(alphabet / 26 + 1) / 2, metrics.height()};
}

QRect MapDialogRect(const QRect& dialogUnits, QSize baseUnits) {
    return {Scale(dialogUnits.x(), baseUnits.width(), 4),
            Scale(dialogUnits.y(), baseUnits.height(), 8),
            Scale(dialogUnits.width(), baseUnits.width(), 4),
            Scale(dialogUnits.height(), baseUnits.height(), 8)};
}

QMap<int, QWidget*> BuildDialog(QDialog& dialog, const DialogTemplate& dialogTemplate) {
    dialog.setWindowTitle(TemplateText(dialogTemplate, dialogTemplate.caption));
    QFont font(QString::fromUtf8(dialogTemplate.fontFamily), dialogTemplate.fontPointSize);
    dialog.setFont(font);
    if (dialogTemplate.toolWindow) {
        dialog.setWindowFlag(Qt::Tool, true);
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    const QSize base = DialogBaseUnits(dialog.font());
    dialog.setFixedSize(
        MapDialogRect(QRect(0, 0, dialogTemplate.width, dialogTemplate.height), base).size());

    QMap<int, QWidget*> controls;
    for (const DialogControl& control : dialogTemplate.controls) {
        QWidget* widget = CreateControl(dialog, dialogTemplate, control);
        widget->setGeometry(
            MapDialogRect(QRect(control.x, control.y, control.width, control.height), base));
        if ((control.style & CTL_HIDDEN) != 0) {
            widget->hide();
        }
        if ((control.style & CTL_NO_TABSTOP) != 0) {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if ((control.style & CTL_DISABLED) != 0) {
            widget->setEnabled(false);
        }
        if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
            edit->setReadOnly((control.style & CTL_READ_ONLY) != 0);
        }
        if (control.id != -1) {
            controls.insert(control.id, widget);
        }
    }
    return controls;
}

}  // namespace quorbex::platform
