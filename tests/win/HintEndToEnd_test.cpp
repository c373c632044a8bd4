// The real program's tool tips as a user meets them: the pointer rests on Connect, the hint
// appears in a shadowed hint window next to it about half a second later and goes again.
#include "RunningProgram.h"

#include <gtest/gtest.h>

TEST(HintEndToEnd, ConnectShowsItsHintNextToThePointerThenHidesIt)
{
    const RunningProgram program;
    HWND window = nullptr;
    for (int wait = 0; wait < 400 && !(window = program.window()); ++wait)
        Sleep(50);
    ASSERT_TRUE(window);
    SetCursorPos(0, 0);
    Sleep(300);
    const POINT connect = remote::ToolButtonCentre(window, 0);
    SetCursorPos(connect.x, connect.y);
    const DWORD pointed = GetTickCount();

    HWND hint = nullptr;
    while (!hint && GetTickCount() - pointed < 8000) {
        Sleep(25);
        hint = VisibleWindowOfClass(program.processId(), "TShadowedHintWindow");
    }
    ASSERT_TRUE(hint) << "no hint within 8 s";
    const DWORD shownAfter = GetTickCount() - pointed;
    EXPECT_GE(shownAfter, 300u);  // not at once: the application's pause comes first
    EXPECT_EQ(remote::TextOf(hint), "Connect");
    RECT bounds;
    GetWindowRect(hint, &bounds);
    EXPECT_GE(bounds.top, connect.y);
    EXPECT_LE(bounds.top, connect.y + 48);
    EXPECT_LE(std::abs(bounds.left - connect.x), 48);

    while (IsWindowVisible(hint) && GetTickCount() - pointed < shownAfter + 12000)
        Sleep(25);
    EXPECT_FALSE(IsWindowVisible(hint));
    EXPECT_GE(GetTickCount() - pointed - shownAfter, 1500u);  // it stays a while before it goes
    SetCursorPos(0, 0);
}
