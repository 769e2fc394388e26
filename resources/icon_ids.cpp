#include "resources/icon_ids.h"

namespace quorbex {

QString IconPath(unsigned id) {
    switch (id) {
        case IDR_MAINFRAME:
            return QStringLiteral(":/icons/application.svg");
        case IDR_DRUGTYPE:
            return QStringLiteral(":/icons/document.svg");
        case IDI_CLOSED_BOOK:
            return QStringLiteral(":/icons/closed_book.svg");
        case IDI_OPEN_BOOK:
            return QStringLiteral(":/icons/open_book.svg");
        default:
            return QString();
    }
}

}  // namespace quorbex
