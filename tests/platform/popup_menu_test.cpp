#include "platform/popup_menu.h"

#include <gtest/gtest.h>

namespace quorbex::platform {
namespace {

TEST(PopupMenu, ItemsKeepTheirOrderAndARadioMarkMovesWithinItsRange) {
    PopupMenu menu;
    menu.AppendMenu(MF_STRING, 102, QStringLiteral("按品名排序"));
    menu.AppendMenu(MF_STRING | MF_CHECKED, 103, QStringLiteral("other"));
    menu.AppendMenu(MF_STRING, 104, QStringLiteral("按英文排序"));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_CHECKED, 114, QStringLiteral("搜索品名"));

    menu.CheckMenuRadioItem(102, 104, 104, MF_BYCOMMAND);
    const std::vector<MenuItem>& items = menu.Items();
    ASSERT_EQ(items.size(), 5u);
    struct Expected {
        unsigned id;
        bool separator;
        bool checked;
        bool radio;
    };
    const Expected expected[] = {
        {102, false, false, false}, {103, false, false, false}, {104, false, true, true},
        {0, true, false, false},    {114, false, true, false},
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].separator, expected[i].separator);
        EXPECT_EQ(items[i].checked, expected[i].checked);
        EXPECT_EQ(items[i].radio, expected[i].radio);
    }
    EXPECT_EQ(items[0].text, QStringLiteral("按品名排序"));
    EXPECT_TRUE(items[3].text.isEmpty());

    menu.CheckMenuRadioItem(102, 104, 102, MF_BYCOMMAND);
    EXPECT_TRUE(menu.Items()[0].radio);
    EXPECT_FALSE(menu.Items()[2].radio);
    EXPECT_FALSE(menu.Items()[2].checked);
    EXPECT_TRUE(menu.Items()[4].checked);  // outside the range
}

}  // namespace
}  // namespace quorbex::platform
