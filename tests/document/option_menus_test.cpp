// The search options, the sort order and the delete confirmation, and the
// two drop-down menus of the drug tool bar that offer them.
#include <QSignalSpy>
#include <algorithm>
#include <map>

#include "resources/commands.h"
#include "tests/document/drug_doc_fixture.h"

namespace quorbex::testing {
namespace {

// Where the drug tool bar shows its two buttons with arrows.
const QRect SEARCH_BUTTON(200, 100, 36, 22);
const QRect DELETE_BUTTON(300, 100, 36, 22);

struct Item {
    unsigned id;  // 0: a separator
    const char* text;
    bool checked;
    bool radio;  // one of a group of exclusive choices
};

class OptionMenus : public DrugDocTest {
protected:
    void SetUp() override {
        ui.buttonRects[{IDW_DRUG_TOOLBAR, ID_DRUG_SEARCH}] = SEARCH_BUTTON;
        ui.buttonRects[{IDW_DRUG_TOOLBAR, ID_DRUG_DELETE}] = DELETE_BUTTON;
        // The menu shows the marks the options have while it is open; a
        // chosen item then runs its command.
        ui.commandSink = [this](unsigned id) {
            NoteMarks();
            Send(id);
        };
        ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
    }

    // Opens the button's menu, choosing choice from it if given.
    const std::vector<unsigned>* Open(unsigned button, std::optional<unsigned> choice = {}) {
        ui.menus.clear();
        if (choice) {
            ui.menuChoices.push_back(*choice);
        }
        shownMarks.clear();
        doc->OnDrugBarDropDown(button);
        EXPECT_TRUE(ui.menuChoices.empty());
        if (!choice) {
            NoteMarks();
        }
        return ui.menus.size() == 1 ? &ui.menus[0].commands : nullptr;
    }

    void NoteMarks() {
        if (ui.menus.empty()) {
            return;
        }
        for (const unsigned id : ui.menus.back().commands) {
            shownMarks[id] = doc->IsOptionChecked(id);
        }
    }

    // The menu's items as the program's actions show them: their texts from
    // the command table, their marks from the document.
    void ExpectItems(const std::vector<unsigned>* menu, const std::vector<Item>& expected) {
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->size(), expected.size());
        for (std::size_t i = 0; i < menu->size(); ++i) {
            SCOPED_TRACE("position " + std::to_string(i + 1));
            const unsigned id = (*menu)[i];
            ASSERT_EQ(id, expected[i].id);
            if (id == 0) {
                continue;
            }
            const auto* command = std::find_if(std::begin(COMMANDS), std::end(COMMANDS),
                                               [id](const CommandSpec& c) { return c.id == id; });
            ASSERT_NE(command, std::end(COMMANDS));
            EXPECT_EQ(std::string(command->text), expected[i].text);
            EXPECT_EQ(shownMarks[id], expected[i].checked);
            EXPECT_EQ(command->mark, expected[i].radio ? CommandMark::Radio : CommandMark::Check);
        }
    }

    std::map<unsigned, bool> shownMarks;
};

// The search menu for a sort key (0, 1 or SORT_BY_PINYIN) and a search mask.
std::vector<Item> SearchMenu(int sortKey, int mask) {
    return {
        {102, "按品名排序", sortKey == 0, true},
        {104, "按英文排序", sortKey == 1, true},
        {33000, "按拼音排序", sortKey == SORT_BY_PINYIN, true},
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
    ExpectItems(Open(ID_DRUG_SEARCH, ID_SORT_BY_PINYIN), SearchMenu(1, 0x9F));
    ExpectItems(Open(ID_DRUG_SEARCH, ID_SORT_BY_ENGLISH_NAME), SearchMenu(SORT_BY_PINYIN, 0x9F));
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
    // Without the button on screen there is nowhere to put the menu.
    ui.buttonRects.clear();
    EXPECT_EQ(Open(ID_DRUG_SEARCH), nullptr);
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
        {{ID_SORT_BY_PINYIN}, 0x0F, SORT_BY_PINYIN, true},
        {{ID_SORT_BY_PINYIN, ID_SORT_BY_TRADE_NAME}, 0x0F, 0, true},
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

        QSignalSpy optionsChanged(doc, &CZorvikDrugDoc::optionsChanged);
        for (const unsigned id : c.ids) {
            // 103 has no item; the sort handler is given it to show that it chooses nothing.
            if (id == 103) {
                doc->OnSortKey(id);
            } else {
                Send(id);
            }
        }
        EXPECT_EQ(optionsChanged.count(),
                  static_cast<int>(std::count_if(c.ids.begin(), c.ids.end(),
                                                 [](unsigned id) { return id != 103; })));
        ExpectUnchanged(expected);
        ExpectHints({});
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(ui.prompts.empty());
        EXPECT_EQ(ui.waitCursorShown, 0);
    }
}

}  // namespace
}  // namespace quorbex::testing
