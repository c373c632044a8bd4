// The frequency box as the user types into it: keys go through the program's message loop to
// the box's edit field, which completes from the items, and Enter tunes a valid frequency.
#include "MainWindowTest.h"
#include "UserDecimalSeparator.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {
UINT VirtualKey(char key)
{
    switch (key) {
    case '\b': return VK_BACK;
    case '\r': return VK_RETURN;
    case '\x1b': return VK_ESCAPE;
    default: return static_cast<UINT>(LOBYTE(VkKeyScanA(key)));
    }
}

struct Selection {
    DWORD start, end;
    bool operator==(const Selection&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Selection& s) { return out << "[" << s.start << ", " << s.end << ")"; }

class FrequencyBox : public MainWindowTest {
protected:
    void SetUp() override { ConnectTo(fake); }

    HWND Edit() const { return form.cboMulti.EditHandle(); }

    // Leaves the box showing `text` with no current item and `selection` selected.
    void Show(const char* text, Selection selection)
    {
        SendMessageA(form.cboMulti.Handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        SetWindowTextA(form.cboMulti.Handle(), text);
        SendMessageA(Edit(), EM_SETSEL, selection.start, static_cast<LPARAM>(selection.end));
    }

    // Presses and releases each key over the edit field and runs the program's message loop
    // until they have been handled.
    void Type(std::string_view keys)
    {
        for (const char key : keys) {
            const UINT virtualKey = VirtualKey(key);
            const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
            PostMessageA(Edit(), WM_KEYDOWN, virtualKey, 1 | scanCode);
            PostMessageA(Edit(), WM_KEYUP, virtualKey, 1 | scanCode | 0xC0000000);
        }
        PostQuitMessage(0);
        Application::Run(form.Handle());
    }

    Selection SelectionShown() const
    {
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    int CurrentItem() const { return static_cast<int>(SendMessageA(form.cboMulti.Handle(), CB_GETCURSEL, 0, 0)); }

    std::shared_ptr<FakeReceiver> fake = std::make_shared<FakeReceiver>();
};
}  // namespace

TEST_F(FrequencyBox, CompletesTypedTextFromItsItems)
{
    constexpr DWORD All = static_cast<DWORD>(-1);
    struct Case {
        const char* what;
        const char* text;
        Selection selection;
        const char* keys;
        const char* shown;
        Selection selected;
        int currentItem;
    };
    const Case cases[] = {
        {"a digit completes to the first item", "", {0, 0}, "2", "218.640", {1, 7}, 0},
        {"a second digit completes further", "", {0, 0}, "22", "220.352", {2, 7}, 1},
        {"Backspace deletes the completed rest", "", {0, 0}, "22\b", "22", {2, 2}, -1},
        {"Backspace with nothing selected deletes a character", "abc", {3, 3}, "\b", "ab", {2, 2}, -1},
        {"Escape changes nothing", "", {0, 0}, "2\x1b", "218.640", {1, 7}, 0},
        {"Enter leaves the text", "", {0, 0}, "2\r", "218.640", {1, 7}, 0},
        {"a digit no item begins with replaces the selection", "218.640", {0, All}, "9", "9", {1, 1}, -1},
        {"letters are typed as usual", "", {0, 0}, "ab", "ab", {2, 2}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Show(c.text, c.selection);
        Type(c.keys);
        EXPECT_EQ(TextOf(form.cboMulti), c.shown);
        EXPECT_EQ(SelectionShown(), c.selected);
        EXPECT_EQ(CurrentItem(), c.currentItem);
    }
}

TEST_F(FrequencyBox, EnterTunesAValidFrequencyAndIsNeverTypedIntoTheBox)
{
    struct Case {
        const char* separator;
        const char* text;
        bool tunes;
        double frequency;
    };
    const Case cases[] = {
        {".", "abc", false, 0},   {".", "218.640", true, 218.64}, {",", "218.640", false, 0},
        {",", "218,640", true, 218.64}, {".", " . ", true, 0},     {".", "", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " with the separator " + c.separator);
        const UserDecimalSeparator separator(c.separator);
        const DWORD end = static_cast<DWORD>(std::string_view(c.text).size());
        Show(c.text, {end, end});
        form.lbMux.SetText("Kept");
        fake->tunedFrequencies.clear();

        Type("\r");
        EXPECT_EQ(TextOf(form.cboMulti), c.text);
        EXPECT_EQ(SelectionShown(), (Selection{end, end}));
        EXPECT_EQ(TextOf(form.lbMux), c.tunes ? "None" : "Kept") << "a tune was or was not attempted";
        EXPECT_EQ(fake->tunedFrequencies, c.tunes ? std::vector<double>{c.frequency} : std::vector<double>{});
        EXPECT_TRUE(boxes.boxes.empty());
    }
}

TEST_F(FrequencyBox, OnlyEnterIsTakenFromTheKeysTyped)
{
    SetWindowTextA(form.cboMulti.Handle(), "abc");
    for (const char typed : {'\r', 'a', '2', '.', '\b', '\x1b', ' '}) {
        char key = typed;
        form.cboMultiKeyPress(key);
        EXPECT_EQ(key, typed == '\r' ? '\0' : typed) << "key " << int(typed);
    }
    EXPECT_TRUE(fake->tunedFrequencies.empty());
}
