// The search options, the sort order and the delete confirmation, and the
// two drop-down menus of the drug tool bar that offer them.
#include "tests/document/drug_doc_fixture.h"

namespace quorbex::testing {
namespace {

// Where the drug tool bar shows its two buttons with arrows.
const QRect SEARCH_BUTTON(200, 100, 36, 22);
const QRect DELETE_BUTTON(300, 100, 36, 22);

class OptionMenus : public DrugDocTest {
protected:
    void SetUp() override {
        ui.buttonRects[{IDW_DRUG_TOOLBAR, ID_DRUG_SEARCH}] = SEARCH_BUTTON;
        ui.buttonRects[{IDW_DRUG_TOOLBAR, ID_DRUG_DELETE}] = DELETE_BUTTON;
        // A chosen item goes to the main window, which routes it on.
        ui.commandSink = [this](unsigned id) { EXPECT_TRUE(Send(id)); };
        ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    }

    // Opens the button's menu, choosing choice from it if given.
    const platform::PopupMenu* Open(unsigned button, std::optional<unsigned> choice = {}) {
        ui.menus.clear();
        if (choice) {
            ui.menuChoices.push_back(*choice);
        }
        EXPECT_TRUE(DropDown(button));
        EXPECT_TRUE(ui.menuChoices.empty());
        return ui.menus.size() == 1 ? &ui.menus[0].menu : nullptr;
    }
};

struct Item {
    unsigned id;  // 0: a separator
    const char* text;
    bool checked;
    bool radio;
};

void ExpectItems(const platform::PopupMenu* menu, const std::vector<Item>& expected) {
    ASSERT_NE(menu, nullptr);
    const std::vector<platform::MenuItem>& items = menu->Items();
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE("position " + std::to_string(i + 1));
        EXPECT_EQ(items[i].separator, expected[i].id == 0);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].text.toStdString(), expected[i].text);
        EXPECT_EQ(items[i].checked, expected[i].checked);
        EXPECT_EQ(items[i].radio, expected[i].radio);
    }
}

// The search menu for a sort key of 0 or 1 and a search mask.
std::vector<Item> SearchMenu(int sortKey, int mask) {
    return {
        {102, "按品名排序", sortKey == 0, sortKey == 0},
        {104, "按英文排序", sortKey == 1, sortKey == 1},
        {0, "", false, false},
        {114, "搜索品名", (mask & 0x01) != 0, false},
        {116, "搜索拼音", (mask & 0x02) != 0, false},
        {117, "搜索别名", (mask & 0x04) != 0, false},
        {115, "搜索英文", (mask & 0x08) != 0, false},
        {118, "搜索功能", (mask & 0x10) != 0, false},
        {119, "搜索用法", (mask & 0x20) != 0, false},
        {120, "搜索禁忌", (mask & 0x40) != 0, false},
        {0, "", false, false},
        {121, "全部搜索", (mask & 0x80) != 0, false},
    };
}

TEST_F(OptionMenus, TheSearchMenuListsTheOptionsUnderTheButton) {
    ExpectItems(Open(ID_DRUG_SEARCH), SearchMenu(0, 0x0F));
    // Top-left corner at the button's bottom-left corner: y = top + height.
    EXPECT_EQ(ui.menus[0].position, QPoint(200, 122));
}

TEST_F(OptionMenus, ChoicesFromTheSearchMenuShowTheNextTimeItOpens) {
    const ResultList shown = doc->GetResultList();
    ExpectItems(Open(ID_DRUG_SEARCH, ID_SEARCH_ALL), SearchMenu(0, 0x0F));
    EXPECT_EQ(doc->GetSearchMask(), 0x8F);
    ExpectItems(Open(ID_DRUG_SEARCH, ID_SORT_BY_ENGLISH_NAME), SearchMenu(0, 0x8F));
    ExpectItems(Open(ID_DRUG_SEARCH, ID_SEARCH_FUNCTION), SearchMenu(1, 0x8F));
    ExpectItems(Open(ID_DRUG_SEARCH), SearchMenu(1, 0x9F));
    // The list on screen is not reordered.
    EXPECT_EQ(doc->GetResultList(), shown);

    // With every search field off, nothing is checked.
    for (const unsigned id : {ID_SEARCH_TRADE_NAME, ID_SEARCH_PINYIN, ID_SEARCH_OTHER_NAMES,
                              ID_SEARCH_ENGLISH_NAME, ID_SEARCH_FUNCTION, ID_SEARCH_ALL}) {
        Open(ID_DRUG_SEARCH, id);
    }
    EXPECT_EQ(doc->GetSearchMask(), 0);
    ExpectItems(Open(ID_DRUG_SEARCH, ID_SORT_BY_TRADE_NAME), SearchMenu(1, 0));
    ExpectItems(Open(ID_DRUG_SEARCH), SearchMenu(0, 0));
}

TEST_F(OptionMenus, TheDeleteMenuTogglesTheConfirmation) {
    ExpectItems(Open(ID_DRUG_DELETE, ID_CONFIRM_DELETE),
                {{ID_CONFIRM_DELETE, "确认删除", true, false}});
    EXPECT_EQ(ui.menus[0].position, QPoint(300, 122));
    EXPECT_FALSE(doc->GetConfirmDelete());
    ExpectItems(Open(ID_DRUG_DELETE), {{ID_CONFIRM_DELETE, "确认删除", false, false}});
}

TEST_F(OptionMenus, OnlyTheArrowsOfSearchAndDeleteOpenAMenu) {
    for (const unsigned button : {ID_DRUG_APPEND, ID_DRUG_MODIFY, ID_DRUG_SAVE}) {
        SCOPED_TRACE(button);
        EXPECT_EQ(Open(button), nullptr);
    }
    // Another tool bar's drop-down is none of the document's business.
    EXPECT_FALSE(DropDown(ID_DRUG_SEARCH, IDW_DRUG_TOOLBAR + 1));
    EXPECT_TRUE(ui.menus.empty());
}

TEST_F(OptionMenus, OptionCommandsChangeOnlyTheirOption) {
    struct Case {
        std::vector<unsigned> ids;
        int mask;
        int sortKey;
        bool confirmDelete;
    };
    const Case cases[] = {
        {{ID_SORT_BY_ENGLISH_NAME}, 0x0F, 1, true},
        {{ID_SORT_BY_ENGLISH_NAME, ID_SORT_BY_TRADE_NAME}, 0x0F, 0, true},
        {{ID_SORT_BY_ENGLISH_NAME, 103}, 0x0F, 1, true},  // inside the range, no choice
        {{ID_SEARCH_TRADE_NAME}, 0x0E, 0, true},
        {{ID_SEARCH_PINYIN}, 0x0D, 0, true},
        {{ID_SEARCH_OTHER_NAMES}, 0x0B, 0, true},
        {{ID_SEARCH_ENGLISH_NAME}, 0x07, 0, true},
        {{ID_SEARCH_FUNCTION}, 0x1F, 0, true},
        {{ID_SEARCH_USAGE}, 0x2F, 0, true},
        {{ID_SEARCH_CAUTIONS}, 0x4F, 0, true},
        {{ID_SEARCH_ALL}, 0x8F, 0, true},
        {{ID_SEARCH_ALL, ID_SEARCH_ALL, ID_SEARCH_USAGE, ID_SEARCH_USAGE}, 0x0F, 0, true},
        {{ID_CONFIRM_DELETE}, 0x0F, 0, false},
        {{ID_CONFIRM_DELETE, ID_CONFIRM_DELETE}, 0x0F, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.ids));
        docTemplate.CloseAllDocuments();
        ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
        ASSERT_TRUE(doc->SelectResult(1));
        ResetRecorders();
        DocumentState expected = State();
        expected.searchMask = c.mask;
        expected.sortKey = c.sortKey;
        expected.confirmDelete = c.confirmDelete;

        for (const unsigned id : c.ids) {
            EXPECT_TRUE(Send(id));
        }
        ExpectUnchanged(expected);
        ExpectHints({});
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(ui.prompts.empty());
        EXPECT_EQ(ui.waitCursorShown, 0);
    }
}

}  // namespace
}  // namespace quorbex::testing
