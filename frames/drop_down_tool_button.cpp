#include "frames/drop_down_tool_button.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionToolButton>

namespace quorbex {

DropDownToolButton::DropDownToolButton(QWidget* parent) : QToolButton(parent) {
    setPopupMode(QToolButton::MenuButtonPopup);
}

QRect DropDownToolButton::ArrowRect() const {
    QStyleOptionToolButton option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, this);
}

void DropDownToolButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled() &&
        ArrowRect().contains(event->position().toPoint())) {
        emit arrowClicked();
        return;
    }
    QToolButton::mousePressEvent(event);
}

}  // namespace quorbex
