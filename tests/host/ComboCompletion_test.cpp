#include "ui/ComboCompletion.h"

#include <gtest/gtest.h>

namespace {
const std::vector<std::string_view> Presets = {"218.640", "220.352", "222.064", "223.936", "225.648", "227.360", "229.072"};
}

TEST(ComboCompletion, CompletesFromTheFirstMatchingItemWithTheRestSelected)
{
    struct Case { EditState before; char typed; const char* text; std::size_t selStart, selEnd; int item; };
    const Case cases[] = {
        {{"", 0, 0}, '2', "218.640", 1, 7, 0},
        {{"218.640", 1, 7}, '2', "220.352", 2, 7, 1},        // the search text ends at the selection
        {{"22", 2, 2}, '7', "227.360", 3, 7, 5},             // no selection: the whole text
        {{"229.0", 5, 5}, '7', "229.072", 6, 7, 6},
        {{"", 0, 0}, '1', "", 0, 0, -1},                     // no item begins with "1"
        {{"218.640", 7, 7}, '5', "218.640", 7, 7, -1},        // nothing continues: typed as usual
    };
    for (const Case& c : cases) {
        const TypingResult r = CompleteTyping(c.before, c.typed, Presets);
        SCOPED_TRACE(c.before.text + c.typed);
        if (c.item < 0) {
            EXPECT_EQ(r.action, TypingResult::Action::PassOn);
            continue;
        }
        EXPECT_EQ(r.action, TypingResult::Action::Replace);
        EXPECT_EQ(r.edit.text, c.text);
        EXPECT_EQ(r.edit.selectionStart, c.selStart);
        EXPECT_EQ(r.edit.selectionEnd, c.selEnd);
        EXPECT_EQ(r.currentItem, c.item);
    }
}

TEST(ComboCompletion, ComparesWithoutRegardToCase)
{
    const std::vector<std::string_view> items = {"Band III", "band ii"};
    const TypingResult r = CompleteTyping({"BAND i", 6, 6}, 'I', items);
    EXPECT_EQ(r.currentItem, 0);
    EXPECT_EQ(r.edit.text, "BAND iII");
}

TEST(ComboCompletion, BackspaceDeletesSelectionOrPreviousCharacterAndDropsTheItem)
{
    struct Case { EditState before; const char* text; std::size_t caret; };
    const Case cases[] = {
        {{"218.640", 1, 7}, "2", 1},
        {{"218.640", 7, 7}, "218.64", 6},
        {{"218.640", 3, 3}, "21.640", 2},
        {{"218.640", 0, 0}, "218.640", 0},
    };
    for (const Case& c : cases) {
        const TypingResult r = CompleteTyping(c.before, '\b', Presets);
        EXPECT_EQ(r.action, TypingResult::Action::Replace);
        EXPECT_TRUE(r.dropCurrentItem);
        EXPECT_EQ(r.edit.text, c.text);
        EXPECT_EQ(r.edit.selectionStart, c.caret);
        EXPECT_EQ(r.edit.selectionEnd, c.caret);
    }
}

TEST(ComboCompletion, EscapePassesOnUntouched)
{
    EXPECT_EQ(CompleteTyping({"2", 1, 1}, 27, Presets).action, TypingResult::Action::PassOn);
}
