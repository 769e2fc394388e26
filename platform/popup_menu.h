// A popup menu as data: items appended in order, with check and radio marks.
#pragma once

#include <QString>
#include <vector>

namespace quorbex::platform {

inline constexpr unsigned MF_STRING = 0x0000;
inline constexpr unsigned MF_CHECKED = 0x0008;
inline constexpr unsigned MF_SEPARATOR = 0x0800;
inline constexpr unsigned MF_BYCOMMAND = 0x0000;

struct MenuItem {
    unsigned id = 0;  // 0 for a separator
    QString text;
    bool separator = false;
    bool checked = false;
    bool radio = false;  // a radio mark instead of a check mark
};

class PopupMenu {
public:
    void AppendMenu(unsigned flags, unsigned id = 0, const QString& text = {});
    // Puts a radio mark on the item whose id is check and clears the marks of
    // the other items with ids first to last.
    void CheckMenuRadioItem(unsigned first, unsigned last, unsigned check, unsigned flags);

    const std::vector<MenuItem>& Items() const { return m_items; }

private:
    std::vector<MenuItem> m_items;
};

}  // namespace quorbex::platform
