#include "resources/icon_ids.h"

#include "platform/framework_ids.h"
#include "resources/resource_ids.h"

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

QString CommandIconPath(unsigned commandId) {
    struct CommandIcon {
        unsigned id;
        const char* path;
    };
    static constexpr CommandIcon icons[] = {
        {platform::ID_FILE_NEW, ":/icons/file_new.svg"},
        {platform::ID_FILE_OPEN, ":/icons/file_open.svg"},
        {platform::ID_EDIT_CUT, ":/icons/edit_cut.svg"},
        {platform::ID_EDIT_COPY, ":/icons/edit_copy.svg"},
        {platform::ID_EDIT_PASTE, ":/icons/edit_paste.svg"},
        {platform::ID_APP_ABOUT, ":/icons/app_about.svg"},
        {ID_DRUG_SAVE, ":/icons/drug_save.svg"},
        {ID_DRUG_MODIFY, ":/icons/drug_modify.svg"},
        {ID_DRUG_APPEND, ":/icons/drug_append.svg"},
        {ID_DRUG_DELETE, ":/icons/drug_delete.svg"},
        {ID_DRUG_SEARCH, ":/icons/drug_search.svg"},
    };
    for (const CommandIcon& icon : icons) {
        if (icon.id == commandId) {
            return QString::fromUtf8(icon.path);
        }
    }
    return QString();
}

}  // namespace quorbex
