#include "ui/Hints.h"

#include "controls/ShadowedHintWindow.h"
#include "TestWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {
enum Command { connectCommand = 101, disconnectCommand, tuneCommand, exportCommand, silentCommand };

const std::string connectHint = "Connect";
const std::string disconnectHint = "Disconnect";
const std::string tuneHint = "Tune To (and Get Info on) Frequency";
const std::string exportHint = "Export Services (to Orvane)";

// Button indexes in the tool bar: the hinted four as the main window has them, and one without hint.
enum ButtonIndex { connectButton, disconnectButton, tuneButton, separator, exportButton, silentButton };

HWND CreateMainWindow()
{
    RegisterTestWindowClass("HintsTestWindow", DefWindowProcA);
    HWND window = CreateWindowExA(0, "HintsTestWindow", "", WS_POPUP | WS_VISIBLE, 60, 60, 400, 120, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window);
    return window;
}

HWND CreateToolbar(HWND parent)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                   0, 0, 314, 40, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    auto button = [](int command, BYTE state, BYTE style = TBSTYLE_BUTTON) {
        TBBUTTON b{};
        b.iBitmap = I_IMAGENONE;
        b.idCommand = command;
        b.fsState = state;
        b.fsStyle = style;
        return b;
    };
    TBBUTTON buttons[] = {
        button(connectCommand, TBSTATE_ENABLED),
        button(disconnectCommand, 0),
        button(tuneCommand, 0),
        button(0, 0, TBSTYLE_SEP),
        button(exportCommand, 0),
        button(silentCommand, TBSTATE_ENABLED),
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));
    return toolbar;
}

HintSource MainToolbarHints()
{
    return ToolbarHints({{connectCommand, connectHint},
                         {disconnectCommand, disconnectHint},
                         {tuneCommand, tuneHint},
                         {exportCommand, exportHint}});
}

POINT ButtonCentre(HWND toolbar, int index)
{
    RECT item{};
    SendMessageA(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

// The pointer moves to a client point of window: the cursor goes there and the window hears of it.
void MovePointer(HWND window, POINT client)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
}

// The hint window showing this text, if one does.
HWND ShownHint(const std::string& text)
{
    HWND hint = FindWindowA("TShadowedHintWindow", text.c_str());
    return hint && IsWindowVisible(hint) ? hint : nullptr;
}

bool AnyHintShown()
{
    HWND hint = FindWindowA("TShadowedHintWindow", nullptr);
    return hint && IsWindowVisible(hint);
}

// A main window with the tool bar, its hints and the application's hint window kind.
struct ToolbarHintsTest : testing::Test {
    TestWindow main{CreateMainWindow()};
    HWND toolbar = CreateToolbar(main.get());
    HintController hints{main.get()};

    void SetUp() override
    {
        ASSERT_NE(toolbar, nullptr);
        InstallShadowedHintWindow();
        hints.AddTool(toolbar, MainToolbarHints());
        PumpFor(20);
    }

    void PointAt(int button) { MovePointer(toolbar, ButtonCentre(toolbar, button)); }

    // Quick hints that stay: for the tests that are not about the application's timing.
    void QuickHints()
    {
        hints.HintPause = 50;
        hints.HintHidePause = 60000;
    }

    bool HintAppears(const std::string& text) { return PumpUntil([&] { return ShownHint(text) != nullptr; }, 3000); }
};
}  // namespace

TEST_F(ToolbarHintsTest, ButtonsNameTheirHintsDisabledOnesIncluded)
{
    const HintSource source = MainToolbarHints();
    const struct {
        int button;
        std::string hint;
    } cases[] = {
        {connectButton, connectHint}, {disconnectButton, disconnectHint}, {tuneButton, tuneHint},
        {separator, ""},              {exportButton, exportHint},         {silentButton, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(source(toolbar, ButtonCentre(toolbar, c.button)), c.hint) << "button " << c.button;
    RECT last{};
    SendMessageA(toolbar, TB_GETITEMRECT, silentButton, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(source(toolbar, {last.right + 20, 5}), "") << "beyond the buttons";
}

TEST_F(ToolbarHintsTest, HintShowsAfterTheApplicationsPauseAndGoesAfterItsHidePause)
{
    EXPECT_EQ(hints.HintPause, 500u);
    EXPECT_EQ(hints.HintHidePause, 2500u);
    const DWORD moved = GetTickCount();
    PointAt(connectButton);
    ASSERT_TRUE(HintAppears(connectHint));
    const DWORD shown = GetTickCount();
    EXPECT_GE(shown - moved, 400u) << "not before the pause";

    HWND hint = ShownHint(connectHint);
    EXPECT_EQ(hint, hints.HintWindowHandle());
    EXPECT_EQ(GetWindow(hint, GW_OWNER), main.get());
    EXPECT_EQ(GetActiveWindow(), main.get()) << "the hint takes no activation";
    RECT hintRect{};
    GetWindowRect(hint, &hintRect);
    POINT pointer = ButtonCentre(toolbar, connectButton);
    ClientToScreen(toolbar, &pointer);
    EXPECT_GT(hintRect.top, pointer.y) << "below the pointer";
    EXPECT_GE(hintRect.left, pointer.x - 1) << "extending to the right";

    ASSERT_TRUE(PumpUntil([] { return !AnyHintShown(); }, 6000));
    EXPECT_GE(GetTickCount() - shown, 2000u) << "not before the hide pause";
}

TEST_F(ToolbarHintsTest, DisabledButtonShowsItsHint)
{
    QuickHints();
    ASSERT_TRUE(IsWindowEnabled(toolbar)) << "the tool bar itself takes the pointer";
    ASSERT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, disconnectCommand, 0));
    PointAt(disconnectButton);
    EXPECT_TRUE(HintAppears(disconnectHint));
}

TEST_F(ToolbarHintsTest, MovingWithinAButtonDoesNotRestartTheWait)
{
    hints.HintPause = 300;
    const POINT centre = ButtonCentre(toolbar, connectButton);
    // Moves every 50 ms, each well inside the pause: were the wait restarted, no hint would come.
    bool shown = false;
    for (int step = 0; step < 40 && !shown; ++step) {
        MovePointer(toolbar, {centre.x + (step % 2 ? 2 : -2), centre.y});
        shown = PumpUntil([] { return ShownHint(connectHint) != nullptr; }, 50);
    }
    EXPECT_TRUE(shown);
}

TEST_F(ToolbarHintsTest, AnotherButtonHidesTheHintAtOnceAndShowsItsOwnAfterThePause)
{
    QuickHints();
    PointAt(connectButton);
    ASSERT_TRUE(HintAppears(connectHint));
    hints.HintPause = 400;
    PointAt(tuneButton);
    PumpFor(30);
    EXPECT_FALSE(AnyHintShown()) << "the old hint does not linger over the new button";
    EXPECT_TRUE(HintAppears(tuneHint));
}

TEST_F(ToolbarHintsTest, PointerLeavingThePartOrAPressOrAKeyHidesTheHint)
{
    QuickHints();
    const struct {
        const char* what;
        void (*away)(HWND main, HWND toolbar);
    } cases[] = {
        {"onto the separator", [](HWND, HWND toolbar) { MovePointer(toolbar, ButtonCentre(toolbar, separator)); }},
        {"onto a button without hint",
         [](HWND, HWND toolbar) { MovePointer(toolbar, ButtonCentre(toolbar, silentButton)); }},
        {"off the tool bar", [](HWND main, HWND) { MovePointer(main, {200, 90}); }},
        // Nothing of this program hears of that move but the tool bar, that the pointer left it.
        {"out of the program", [](HWND, HWND) { SetCursorPos(900, 700); }},
        {"mouse button pressed",
         [](HWND, HWND toolbar) { PostMessageA(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }},
        {"key struck", [](HWND main, HWND) { PostMessageA(main, WM_KEYDOWN, VK_SPACE, 0); }},
    };
    for (const auto& c : cases) {
        PointAt(connectButton);
        ASSERT_TRUE(HintAppears(connectHint)) << c.what;
        c.away(main.get(), toolbar);
        EXPECT_TRUE(PumpUntil([] { return !AnyHintShown(); }, 1000)) << c.what;
        PostMessageA(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        MovePointer(main.get(), {200, 90});
        PumpFor(20);
    }
}

TEST_F(ToolbarHintsTest, GoneHintStaysGoneUntilThePointerHasBeenElsewhere)
{
    hints.HintPause = 50;
    hints.HintHidePause = 200;
    PointAt(connectButton);
    ASSERT_TRUE(HintAppears(connectHint));
    ASSERT_TRUE(PumpUntil([] { return !AnyHintShown(); }, 3000));

    // Each move is followed by more than the pause: a hint that came back would show.
    const POINT centre = ButtonCentre(toolbar, connectButton);
    for (int step = 0; step < 5; ++step) {
        MovePointer(toolbar, {centre.x + (step % 2 ? 2 : -2), centre.y});
        PumpFor(200);
        EXPECT_FALSE(AnyHintShown()) << "step " << step;
    }
    PointAt(separator);
    PumpFor(30);
    PointAt(connectButton);
    EXPECT_TRUE(HintAppears(connectHint));
}

TEST_F(ToolbarHintsTest, HintWindowOfAnEarlierKindIsReplacedBeforeTheNextHint)
{
    QuickHints();
    struct Reinstall {
        ~Reinstall() { InstallShadowedHintWindow(); }
    } reinstall;
    SetHintWindowClass(MakePlainHintWindow);
    PointAt(connectButton);
    ASSERT_TRUE(PumpUntil([] { return FindWindowA("THintWindow", connectHint.c_str()) != nullptr; }, 3000));
    HWND plain = hints.HintWindowHandle();

    InstallShadowedHintWindow();
    PointAt(separator);
    PumpFor(30);
    PointAt(exportButton);
    EXPECT_TRUE(HintAppears(exportHint));
    EXPECT_FALSE(IsWindow(plain));
}

TEST_F(ToolbarHintsTest, HintWindowGoesWithItsOwner)
{
    QuickHints();
    PointAt(connectButton);
    ASSERT_TRUE(HintAppears(connectHint));
    HWND hint = hints.HintWindowHandle();
    DestroyWindow(main.get());
    EXPECT_FALSE(IsWindow(hint));
    EXPECT_EQ(hints.HintWindowHandle(), nullptr);
    // Messages for windows that are gone change nothing.
    PostMessageA(nullptr, WM_MOUSEMOVE, 0, 0);
    PumpFor(100);
    EXPECT_FALSE(AnyHintShown());
}

TEST_F(ToolbarHintsTest, PointerLeavingAnyToolForAnotherProgramHidesTheHint)
{
    // A window of no special kind: unlike a flat tool bar, it does not watch for the pointer leaving.
    HWND panel = CreateWindowExA(0, "HintsTestWindow", "", WS_CHILD | WS_VISIBLE, 0, 60, 200, 40, main.get(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    hints.AddTool(panel, [](HWND, POINT) { return std::string("Signal"); });
    QuickHints();
    MovePointer(panel, {20, 20});
    ASSERT_TRUE(HintAppears("Signal"));
    SetCursorPos(900, 700);
    EXPECT_TRUE(PumpUntil([] { return !AnyHintShown(); }, 2000));
}
