// The program's widget style, which the application installs: the
// platform's own, except that a grayed menu item can be pointed at, so that
// the status bar tells what it would do, as it does for the other items, and
// that a line edit's clear button shows the program's own icon.
#pragma once

#include <QIcon>
#include <QProxyStyle>

namespace quorbex {

class ProgramStyle : public QProxyStyle {
    Q_OBJECT
public:
    ProgramStyle();

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    // The clear button's icon comes from the program's resources: asking
    // the desktop's icon theme for it reads every theme folder on the
    // machine, and would cost the start of the program more than all of
    // its own windows.
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;

private:
    QIcon m_clearIcon;
};

}  // namespace quorbex
