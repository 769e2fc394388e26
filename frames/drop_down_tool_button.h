// A tool bar button with a separate drop-down arrow. A click on the face
// triggers the button's command; a click on the arrow reports itself so
// that the owner can show a menu of its own under the button.
#pragma once

#include <QToolButton>

namespace quorbex {

class DropDownToolButton : public QToolButton {
    Q_OBJECT
public:
    explicit DropDownToolButton(QWidget* parent = nullptr);

    // The arrow part of the button, in the button's coordinates.
    QRect ArrowRect() const;

signals:
    void arrowClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace quorbex
