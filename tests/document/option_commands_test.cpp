// The search options, the sort order and the delete confirmation, as the
// option commands of the drug tool bar's drop-down menus change them.
#include <QSignalSpy>
#include <algorithm>

#include "tests/document/drug_doc_fixture.h"

namespace quorbex::testing {
namespace {

using OptionCommands = DrugDocTest;

// Between the two orders' identifiers, and the choice of neither.
constexpr platform::CommandId NO_ORDER{103};

TEST_F(OptionCommands, EachChangesOnlyItsOption) {
    struct Case {
        std::vector<platform::CommandId> ids;
        int mask;
        int sortKey;
        bool confirmDelete;
    };
    const Case cases[] = {
        {{ID_SORT_BY_ENGLISH_NAME}, 0x0F, 1, true},
        {{ID_SORT_BY_ENGLISH_NAME, ID_SORT_BY_TRADE_NAME}, 0x0F, 0, true},
        {{ID_SORT_BY_ENGLISH_NAME, NO_ORDER}, 0x0F, 1, true},
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
        SCOPED_TRACE(static_cast<unsigned>(c.ids.back()));
        docTemplate.CloseAllDocuments();
        ASSERT_NE(OpenDictionary(ThreeDrugs()), nullptr);
        ASSERT_TRUE(doc->SelectResult(1));
        ResetRecorders();
        DocumentState expected = State();
        expected.searchMask = c.mask;
        expected.sortKey = c.sortKey;
        expected.confirmDelete = c.confirmDelete;

        QSignalSpy optionsChanged(doc, &CZorvikDrugDoc::optionsChanged);
        for (const platform::CommandId id : c.ids) {
            // NO_ORDER has no item; the sort handler is given it to show that
            // it chooses nothing.
            if (id == NO_ORDER) {
                Commands().OnSortKey(id);
            } else {
                Send(id);
            }
        }
        EXPECT_EQ(
            optionsChanged.count(),
            static_cast<int>(std::count_if(c.ids.begin(), c.ids.end(),
                                           [](platform::CommandId id) { return id != NO_ORDER; })));
        ExpectUnchanged(expected);
        ExpectTold({});
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(ui.prompts.empty());
        EXPECT_EQ(ui.waitCursorShown, 0);
    }
}

}  // namespace
}  // namespace quorbex::testing
