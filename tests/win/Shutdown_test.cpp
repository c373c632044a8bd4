// Closing the window while connected: no Disconnect steps run, and the receiver is released
// only once the window is gone, by the module's finalisation.
#include "FakeReceiver.h"
#include "app/OVPlexor.h"
#include "app/Program.h"

#include <gtest/gtest.h>

namespace {
// Runs the next step of a scripted session from inside the program's own message loop.
std::vector<std::function<void()>> steps;
void CALLBACK NextStep(HWND, UINT, UINT_PTR id, DWORD)
{
    if (steps.empty()) {
        KillTimer(nullptr, id);
        return;
    }
    auto step = std::move(steps.front());
    steps.erase(steps.begin());
    step();
}

LRESULT CALLBACK WatchForDisconnecting(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR shown)
{
    if (message == SB_SETTEXTA && lstrcmpA(reinterpret_cast<const char*>(lParam), "Disconnecting...") == 0)
        *reinterpret_cast<bool*>(shown) = true;
    return DefSubclassProc(bar, message, wParam, lParam);
}
}  // namespace

TEST(Shutdown, ClosingWhileConnectedReleasesTheReceiverAfterTheWindowIsGone)
{
    FakeReceiverClass receivers;
    HWND window = nullptr;
    bool windowAliveAtRelease = true;
    bool disconnectingShown = false;
    receivers.prepare = [&](FakeReceiver& fake) { fake.onDestroy = [&] { windowAliveAtRelease = IsWindow(window) != FALSE; }; };
    steps = {
        [&] {
            window = OVPlexor->Handle();
            SendMessageA(window, WM_COMMAND, MAKEWPARAM(OVPlexor->tbConnect.Id(), BN_CLICKED), 0);
            ASSERT_TRUE(Receiver.held());
        },
        [&] {
            SetWindowSubclass(OVPlexor->sbMain.Handle(), WatchForDisconnecting, 1, reinterpret_cast<DWORD_PTR>(&disconnectingShown));
            PostMessageA(window, WM_CLOSE, 0, 0);
        },
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, NextStep);
    RunPlexor();
    KillTimer(nullptr, timer);
    ASSERT_EQ(receivers.made.size(), 1u);
    EXPECT_TRUE(receivers.made[0]->destroyed);
    EXPECT_FALSE(windowAliveAtRelease);
    EXPECT_FALSE(disconnectingShown);
    EXPECT_EQ(receivers.made[0]->calls, std::vector<std::string>{"GetSignalError"});
    EXPECT_EQ(OVPlexor, nullptr);
}
