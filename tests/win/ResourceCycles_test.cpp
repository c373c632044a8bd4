// Many cycles of a whole session (window, connect, tune, polls, census, export, disconnect)
// leave no window, GDI object, receiver reference or registry key behind.
#include "FakeReceiver.h"
#include "HandleCount.h"
#include "MainWindowState.h"
#include "ScratchRegistry.h"

#include <gtest/gtest.h>

namespace {
int LiveOwnedHandles()
{
    return FontOwner::Live() + BrushOwner::Live() + BitmapOwner::Live() + WindowOwner::Live() + ImageListOwner::Live();
}

class ResourceCycles : public testing::Test {
protected:
    ResourceCycles()
    {
        receivers.prepare = [](FakeReceiver& fake) {
            fake.locked = {0, 1};
            fake.signalError = 0.02;
            fake.multiplexLabel = L"Cycle Mux";
            fake.services = {{7, 1, L"Audio One"}, {-8, 2, L"Data Two"}};
            fake.audioKinds = {1};
            fake.faults["GetLabel"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Label lost."), 5, false);
        };
    }
    void TearDown() override { FinalizePlexorModule(); }

    // One session, with a failing label read in its export on the way.
    void Session()
    {
        TOVPlexor form;
        form.tbConnectClick();
        SetWindowTextA(form.cboMulti.Handle(), "218.640");
        form.tbTuneClick();
        for (int tick = 0; tick < 3; ++tick)
            SendMessageA(form.Handle(), WM_TIMER, form.SignalChk.Id(), 0);
        Click(form, form.btnRefresh);
        try {
            form.tbExportClick();
        } catch (const std::exception&) {
        }
        form.tbDisconnectClick();
    }

    FakeReceiverClass receivers;
    ScratchCurrentUser registry;
};
}  // namespace

TEST_F(ResourceCycles, SessionsLeaveNothingBehind)
{
    Session();  // classes, caches and fonts of the system are made once
    Session();
    const int handles = LiveOwnedHandles();
    const int kernelHandles = OpenHandleCount();
    for (int i = 0; i < 20; ++i)
        Session();

    EXPECT_EQ(LiveOwnedHandles(), handles);
    // The system opens a few handles of its own on first use; a leak would grow with the sessions.
    EXPECT_LT(OpenHandleCount() - kernelHandles, 10);
    EXPECT_EQ(LiveFakeObjects(), 0);
    for (const auto& fake : receivers.made) {
        EXPECT_TRUE(fake->destroyed);
        EXPECT_EQ(fake->overReleases, 0);
        EXPECT_EQ(fake->callsAfterDestroy, 0);
    }
    ASSERT_EQ(receivers.made.size(), 22u);
    EXPECT_EQ(receivers.made.back()->CallCount("GetLabel"), 5);  // the export met its failure
}
