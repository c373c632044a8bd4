// Connect and Disconnect against fake receivers created through COM, as the state table of
// the connection says, including a receiver that does not answer and one that cannot be made.
#include "DuringPump.h"
#include "MainWindowTest.h"

#include <gtest/gtest.h>

class Connection : public MainWindowTest {};

TEST_F(Connection, StartsDisconnectedWithOnlyConnectAvailable)
{
    EXPECT_EQ(StateOf(form), DisconnectedAtStart);
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Not Tuned");
    EXPECT_EQ(TextOf(form.lbMux), "None");
    for (const Label* count : {&form.lbTotal, &form.lbAudio, &form.lbData})
        EXPECT_EQ(TextOf(*count), "0");
}

TEST_F(Connection, ConnectProbesOnceAndOffersTuning)
{
    bool connectingShown = false;
    DuringPump pump([&] {
        connectingShown = StateOf(form) == WindowState{false, false, false, false, false, false, false, "Connecting...", false};
    });
    form.tbConnectClick();
    EXPECT_TRUE(pump.ran);
    EXPECT_TRUE(connectingShown);
    EXPECT_EQ(StateOf(form), Connected);
    ASSERT_EQ(receivers.made.size(), 1u);
    EXPECT_EQ(receivers.made[0]->calls, std::vector<std::string>{"GetSignalError"});
    EXPECT_EQ(receivers.made[0]->refCount, 1u);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Connection, FailedProbeSaysNotRespondingAndLetsTheReceiverGo)
{
    receivers.prepare = [](FakeReceiver& fake) { fake.faults["GetSignalError"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"No device.")); };
    form.tbConnectClick();
    EXPECT_EQ(StateOf(form), NotResponding);
    ASSERT_EQ(receivers.made.size(), 1u);
    EXPECT_TRUE(receivers.made[0]->destroyed);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Connection, FailedCreationShowsOneErrorBoxThenLeavesTheWindowDisconnected)
{
    struct Case { const char* name; HRESULT createFailure; bool withoutInterface; const char* text; };
    const Case cases[] = {
        {"class not registered", REGDB_E_CLASSNOTREG, false, "OLE error 80040154."},
        {"no receiver interface", S_OK, true, "Interface not supported."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.boxes.clear();
        receivers.createFailure = c.createFailure;
        receivers.withoutInterface = c.withoutInterface;
        Click(form, form.tbConnect);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        const CaughtBox& box = boxes.boxes[0];
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.caption, "win_tests");  // the first character keeps its case
        EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
        EXPECT_TRUE(box.stopIcon);
        EXPECT_EQ(box.owner, form.Handle());
        EXPECT_FALSE(box.ownerEnabled);
        EXPECT_EQ(StateOf(form), DisconnectedAtStart);
        EXPECT_EQ(LiveFakeObjects(), 0);
    }
}

TEST_F(Connection, DisconnectStopsThePollReleasesTheReceiverAndKeepsWhatWasShown)
{
    form.tbConnectClick();
    form.SignalChk.SetEnabled(true);
    form.lbMux.SetText("Kept Label");
    DuringPump pump([&] {
        EXPECT_EQ(StateOf(form), (WindowState{false, false, true, true, false, false, false, "Disconnecting...", true}));
    });
    form.tbDisconnectClick();
    EXPECT_TRUE(pump.ran);
    EXPECT_EQ(StateOf(form), DisconnectedAtStart);
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Not Tuned");
    EXPECT_EQ(TextOf(form.lbMux), "Kept Label");
    EXPECT_TRUE(receivers.made[0]->destroyed);

    // A tick that was already queued when the poll stopped does not poll.
    Tick();
    EXPECT_EQ(receivers.made[0]->callsAfterDestroy, 0);
}

TEST_F(Connection, PollStartedInsideDisconnectsPumpIsStoppedAgain)
{
    form.tbConnectClick();
    DuringPump pump([&] { form.SignalChk.SetEnabled(true); });
    form.tbDisconnectClick();
    EXPECT_TRUE(pump.ran);
    EXPECT_FALSE(form.SignalChk.Enabled());
    EXPECT_FALSE(Receiver.held());
}

TEST_F(Connection, EachConnectCreatesANewReceiverAfterTheLastWasReleased)
{
    form.tbConnectClick();
    form.tbDisconnectClick();
    form.tbConnectClick();
    ASSERT_EQ(receivers.made.size(), 2u);
    EXPECT_TRUE(receivers.made[0]->destroyed);
    EXPECT_EQ(receivers.made[0]->overReleases, 0);
    EXPECT_TRUE(receivers.made[1]->alive());
    EXPECT_EQ(StateOf(form), Connected);
}
