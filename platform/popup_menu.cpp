#include "platform/popup_menu.h"

namespace quorbex::platform {

void PopupMenu::AppendMenu(unsigned flags, unsigned id, const QString& text) {
    MenuItem item;
    item.separator = (flags & MF_SEPARATOR) != 0;
    item.id = item.separator ? 0 : id;
    item.text = item.separator ? QString() : text;
    item.checked = (flags & MF_CHECKED) != 0;
    m_items.push_back(item);
}

void PopupMenu::CheckMenuRadioItem(unsigned first, unsigned last, unsigned check, unsigned) {
    for (MenuItem& item : m_items) {
        if (!item.separator && item.id >= first && item.id <= last) {
            item.checked = item.id == check;
            item.radio = item.id == check;
        }
    }
}

}  // namespace quorbex::platform
