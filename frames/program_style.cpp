#include "frames/program_style.h"

#include "platform/svg_icon.h"

namespace quorbex {

ProgramStyle::ProgramStyle()
    : m_clearIcon(platform::SvgIcon(QStringLiteral(":/icons/edit_clear.svg"))) {}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_AllowActiveAndDisabled) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (standardIcon == SP_LineEditClearButton) {
        return m_clearIcon;
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

}  // namespace quorbex
