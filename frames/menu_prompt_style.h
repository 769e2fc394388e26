// The program's widget style, which the application installs: the
// platform's own, except that a grayed menu item can be pointed at, so that
// the status bar tells what it would do, as it does for the other items.
#pragma once

#include <QProxyStyle>

namespace quorbex {

class MenuPromptStyle : public QProxyStyle {
    Q_OBJECT
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) {
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace quorbex
