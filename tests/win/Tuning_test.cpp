// Tuning and the lock monitor in the real window against a fake receiver: what a tune changes,
// what each tick asks the receiver and shows, how a failing tick is reported, and that
// Disconnect leaves no poll behind.
#include "GraphPixels.h"
#include "MainWindowTest.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>

namespace {
using Calls = std::vector<std::string>;

// The first locked tick after a tune: the lock, the label, the census of the two services of
// ReceiverWithTwoServices, then the signal figure.
const Calls FirstLockedTick = {"GetLocked",         "GetMultiplex",   "GetLabel(100)",     "GetFirstService",
                               "GetServiceKind(7)", "IsAudioKind(1)", "GetNextService",    "GetServiceKind(8)",
                               "IsAudioKind(5)",    "GetNextService", "GetSignalError"};
const Calls LaterLockedTick = {"GetLocked", "GetSignalError"};
const Calls UnlockedTick = {"GetLocked", "GetLockStage"};

// A receiver whose multiplex carries one audio and one data service.
std::shared_ptr<FakeReceiver> ReceiverWithTwoServices()
{
    auto fake = std::make_shared<FakeReceiver>();
    fake->services = {{7, 1, L"Radio"}, {8, 5, L"Traffic"}};
    fake->audioKinds = {1};
    return fake;
}

// Total, audio and data, as shown.
std::string Counts(const TOVPlexor& form) { return TextOf(form.lbTotal) + " " + TextOf(form.lbAudio) + " " + TextOf(form.lbData); }

bool HistoryEmpty() { return SignalHistory.values == SignalSamples{}.values; }

// Whether the window's graph picture is that of these samples.
bool GraphShows(TOVPlexor& form, const SignalSamples& samples)
{
    return ReadPixels(form.Graph.Image().pictureDc(), graphWidth, graphHeight) == PaintedInMemory(samples);
}

// Lets the message loop run, real timers included, until `done` holds or the time is up.
template <class Done>
void PumpUntil(Done done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        Application::ProcessMessages();
    }
}

// Records, each time btnRefresh is enabled, whether tbExport already was.
class RefreshEnableSpy {
public:
    explicit RefreshEnableSpy(const TOVPlexor& form) : form_(form)
    {
        SetWindowSubclass(form_.btnRefresh.Handle(), Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~RefreshEnableSpy() { RemoveWindowSubclass(form_.btnRefresh.Handle(), Proc, 1); }
    RefreshEnableSpy(const RefreshEnableSpy&) = delete;
    RefreshEnableSpy& operator=(const RefreshEnableSpy&) = delete;

    std::vector<bool> exportEnabledAtEach;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        auto& spy = *reinterpret_cast<RefreshEnableSpy*>(self);
        if (message == WM_ENABLE && wParam)
            spy.exportEnabledAtEach.push_back(spy.form_.tbExport.Enabled());
        return DefSubclassProc(window, message, wParam, lParam);
    }
    const TOVPlexor& form_;
};

class Tuning : public MainWindowTest {
protected:
    void SetUp() override { ConnectTo(fake); }

    // A new connection to a fresh receiver, for the next case of a table.
    void Reconnect()
    {
        form.tbDisconnectClick();
        boxes.boxes.clear();
        fake = ReceiverWithTwoServices();
        ConnectTo(fake);
    }

    void TuneTo(const char* text)
    {
        SetWindowTextA(form.cboMulti.Handle(), text);
        Click(form, form.tbTune);
    }

    // Stops the window's real timer and leaves the poll on, so that ticks come only from the
    // test. Says whether the timer was set.
    bool TakeOverTicks() { return KillTimer(form.Handle(), form.SignalChk.Id()) != FALSE; }

    // Tuned to 218.640 and locked once: the label, the counts and a first sample are shown.
    void StartMonitoring()
    {
        TuneTo("218.640");
        TakeOverTicks();
        fake->locked = 1;
        Tick();
        ASSERT_EQ(StateOf(form), Monitoring);
    }

    std::shared_ptr<FakeReceiver> fake = ReceiverWithTwoServices();
};
}  // namespace

TEST_F(Tuning, OnlyTheFirstLockedTickFetchesTheLabelAndCountsTheServices)
{
    fake->locked = {0, 1, 1, 0, 1};
    fake->lockStage = 51;
    fake->signalError = 0.0125;
    struct AtCensus {
        std::string label;
        bool exportEnabled, refreshEnabled;
    };
    std::optional<AtCensus> atCensus;
    fake->onCall = [&](const char* operation) {
        if (std::string_view(operation) == "GetFirstService")
            atCensus = AtCensus{TextOf(form.lbMux), form.tbExport.Enabled(), form.btnRefresh.Enabled()};
    };
    RefreshEnableSpy refreshEnabled(form);

    TuneTo("218.640");
    EXPECT_TRUE(TakeOverTicks()) << "the tune did not start the poll";
    EXPECT_EQ(fake->tunedFrequencies, std::vector<double>{218.64});
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Tuning, please wait...");
    EXPECT_TRUE(form.SignalChk.Enabled());
    EXPECT_TRUE(NewTune);

    EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), UnlockedTick);
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Tuning (Good, one sec...)");
    EXPECT_TRUE(NewTune);
    EXPECT_TRUE(HistoryEmpty());

    EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), FirstLockedTick);
    ASSERT_TRUE(atCensus);
    EXPECT_EQ(atCensus->label, "Fake Multiplex");
    EXPECT_TRUE(atCensus->exportEnabled && atCensus->refreshEnabled) << "the census ran before Export and Refresh were enabled";
    EXPECT_EQ(refreshEnabled.exportEnabledAtEach, std::vector<bool>{true}) << "Refresh was enabled before Export";
    EXPECT_EQ(TextOf(form.lbMux), "Fake Multiplex");
    EXPECT_EQ(Counts(form), "2 1 1");
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: 87%");
    EXPECT_EQ(SignalHistory.values.back(), 87);
    EXPECT_TRUE(GraphShows(form, SignalHistory));
    EXPECT_FALSE(NewTune);
    EXPECT_EQ(StateOf(form), Monitoring);

    EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), LaterLockedTick);
    const SignalSamples twoSamples = SignalHistory;

    EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), UnlockedTick) << "lock lost";
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Tuning (Good, one sec...)");
    EXPECT_EQ(SignalHistory.values, twoSamples.values);
    EXPECT_TRUE(GraphShows(form, twoSamples));

    EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), LaterLockedTick) << "lock regained";
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: 87%");
    EXPECT_EQ(Counts(form), "2 1 1");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Tuning, ASecondTuneWhileMonitoringFetchesAgainWithoutRestartingThePoll)
{
    StartMonitoring();
    fake->multiplexLabel = L"Second Multiplex";

    TuneTo("220.352");
    EXPECT_FALSE(TakeOverTicks()) << "the running poll was started again";
    EXPECT_TRUE(form.SignalChk.Enabled());
    EXPECT_EQ(fake->tunedFrequencies.back(), 220.352);
    EXPECT_TRUE(NewTune);
    EXPECT_EQ(TextOf(form.lbMux), "None");
    EXPECT_TRUE(form.tbExport.Enabled());
    EXPECT_FALSE(form.btnRefresh.Enabled());

    EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), FirstLockedTick);
    EXPECT_EQ(TextOf(form.lbMux), "Second Multiplex");
    EXPECT_EQ(StateOf(form), Monitoring);
    EXPECT_FALSE(NewTune);
}

TEST_F(Tuning, AFailedTuneEmptiesTheLabelAndTheGraphAndLeavesTheMonitorAsItWas)
{
    enum class Before { Connected, Acquiring, Monitoring };
    struct Case {
        const char* what;
        Before before;
        const char* text;
        bool refused;
    };
    const Case cases[] = {
        {"no frequency, just connected", Before::Connected, "abc", false},
        {"no frequency, while monitoring", Before::Monitoring, "abc", false},
        {"refused by the receiver, while acquiring", Before::Acquiring, "220.352", true},
        {"refused by the receiver, while monitoring", Before::Monitoring, "220.352", true},
    };
    // What a failed tune leaves alone.
    const auto untouched = [&] {
        return std::tuple{TextOf(form.lbCS), Counts(form), form.tbExport.Enabled(), form.SignalChk.Enabled(), NewTune, AcceptedFreqText};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reconnect();
        if (c.before != Before::Connected) {
            TuneTo("218.640");
            TakeOverTicks();
        }
        if (c.before == Before::Monitoring) {
            fake->locked = 1;
            Tick();
        }
        const auto before = untouched();
        if (c.refused)
            fake->faults["Tune"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Cannot tune"));

        EXPECT_EQ(CallsDuring(*fake, [&] { TuneTo(c.text); }), c.refused ? Calls{"Tune(220.352)"} : Calls{});
        EXPECT_EQ(TextOf(form.lbMux), "None");
        EXPECT_TRUE(HistoryEmpty());
        EXPECT_TRUE(GraphShows(form, SignalSamples{}));
        EXPECT_FALSE(form.btnRefresh.Enabled());
        EXPECT_EQ(untouched(), before);
        EXPECT_FALSE(TakeOverTicks()) << "the failed tune started the timer";
        EXPECT_EQ(TunedFreqText, c.text);
        EXPECT_TRUE(boxes.boxes.empty());

        if (c.before == Before::Monitoring) {
            // An export labels the locked multiplex with the text of the tune that locked it.
            EXPECT_EQ(AcceptedFreqText, "218.640");
            // The poll goes on with the old tuning, into the emptied history.
            EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), LaterLockedTick);
            EXPECT_EQ(TextOf(form.lbMux), "None");
            EXPECT_EQ(SignalHistory.values.back(), 100);
            EXPECT_EQ(SignalHistory.values[SignalSamples::count - 2], 0);
        }
    }
}

TEST_F(Tuning, ATuneWhoseTimerCannotStartPromisesNoPoll)
{
    // A timer bound to a window that is gone cannot be set, as when the system has none left.
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    form.SignalChk.Attach(gone, form.SignalChk.Id(), 1000);

    TuneTo("218.640");
    EXPECT_EQ(fake->tunedFrequencies, std::vector<double>{218.64});
    EXPECT_FALSE(form.SignalChk.Enabled());
    EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Not Tuned");
    EXPECT_FALSE(NewTune);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Tuning, EachLockedTickShowsTheQualityAndRecordsItAsASample)
{
    struct Case {
        double signalError;
        const char* caption;
        std::uint8_t sample;
    };
    const Case cases[] = {
        {0.0125, "Current Signal: 87%", 87},
        {-0.02, "Current Signal: 120%", 120},
        {0.2, "Current Signal: 0%", 0},
        {-0.2, "Current Signal: 300%", 255},  // a full bar
        {-1e7, "Current Signal: 2147483647%", 255},
    };
    StartMonitoring();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        fake->signalError = c.signalError;
        Tick();
        EXPECT_EQ(TextOf(form.lbCS), c.caption);
        EXPECT_EQ(SignalHistory.values.back(), c.sample);
        EXPECT_TRUE(GraphShows(form, SignalHistory));
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Tuning, ASignalFigureWithoutAQualityIsReportedAndRecordsNothing)
{
    StartMonitoring();
    for (const double signalError : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(), -1e17}) {
        SCOPED_TRACE(signalError);
        boxes.boxes.clear();
        fake->signalError = signalError;
        const SignalSamples before = SignalHistory;
        const std::string signalLine = TextOf(form.lbCS);
        Tick();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "Invalid floating point operation.");
        EXPECT_EQ(SignalHistory.values, before.values);
        EXPECT_EQ(TextOf(form.lbCS), signalLine);
        TakeOverTicks();
    }
}

TEST_F(Tuning, AFailingTickReportsOnceKeepsTheStepsDoneAndFetchesAgainOnTheNextTick)
{
    struct Case {
        const char* operation;
        int onCall;
        bool labelShown;
        bool counted;
    };
    const Case cases[] = {
        {"GetLocked", 1, false, false},
        {"GetLabel", 1, false, false},
        {"GetFirstService", 1, true, false},
        {"GetSignalError", 2, true, true},  // the first call was Connect's probe
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        Reconnect();
        fake->locked = 1;
        fake->faults[c.operation] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Receiver lost"), c.onCall, false);
        for (const Label* count : {&form.lbTotal, &form.lbAudio, &form.lbData})
            SetWindowTextA(count->Handle(), "-");
        TuneTo("218.640");
        TakeOverTicks();

        Tick();
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, "Receiver lost.");
        EXPECT_EQ(TextOf(form.lbMux), c.labelShown ? "Fake Multiplex" : "None");
        EXPECT_EQ(form.tbExport.Enabled(), c.labelShown);
        EXPECT_EQ(form.btnRefresh.Enabled(), c.labelShown);
        EXPECT_EQ(Counts(form), c.counted ? "2 1 1" : "- - -");
        EXPECT_TRUE(HistoryEmpty());
        EXPECT_EQ(TextOf(form.lbCS), "Current Signal: Tuning, please wait...");
        EXPECT_TRUE(NewTune);
        EXPECT_TRUE(form.SignalChk.Enabled());
        EXPECT_TRUE(TakeOverTicks()) << "the poll was not set going again after OK";

        EXPECT_EQ(CallsDuring(*fake, [&] { Tick(); }), FirstLockedTick);
        EXPECT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(TextOf(form.lbCS), "Current Signal: 100%");
        EXPECT_EQ(StateOf(form), Monitoring);
        EXPECT_FALSE(NewTune);
    }
}

// Real time: the box stays open for 2.5 periods of the poll.
TEST_F(Tuning, NoPollRunsWhileAFailedTicksBoxIsOpenAndTheNextComesAPeriodAfterOk)
{
    fake->locked = 1;
    fake->faults["GetFirstService"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Receiver lost"), 1, false);
    std::vector<DWORD> polls;
    fake->onCall = [&](const char* operation) {
        if (std::string_view(operation) == "GetLocked")
            polls.push_back(GetTickCount());
    };
    boxes.holdMilliseconds = 2500;

    const DWORD tuned = GetTickCount();
    TuneTo("218.640");
    PumpUntil([&] { return polls.size() >= 2; }, 30000);

    ASSERT_GE(polls.size(), 2u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const CaughtBox& box = boxes.boxes[0];
    EXPECT_EQ(box.text, "Receiver lost.");
    EXPECT_EQ(box.openAtOnce, 1);
    ASSERT_NE(box.closedAt, 0u);
    EXPECT_GE(polls[0] - tuned, 900u) << "the first poll came before a period had passed";
    EXPECT_GE(box.closedAt - box.openedAt, 2400u) << "the box was not held open";
    EXPECT_GT(polls[1], box.closedAt) << "a poll ran while the box was open";
    EXPECT_GE(polls[1] - box.closedAt, 900u) << "the next poll came less than a period after OK";
    EXPECT_FALSE(NewTune);
}

TEST_F(Tuning, DisconnectStopsThePollEvenWithATickAlreadyWaiting)
{
    StartMonitoring();
    PostMessageA(form.Handle(), WM_TIMER, form.SignalChk.Id(), 0);
    EXPECT_EQ(CallsDuring(*fake, [&] {
                  form.tbDisconnectClick();
                  Application::ProcessMessages();
              }),
              Calls{});
    EXPECT_FALSE(form.SignalChk.Enabled());
    EXPECT_EQ(fake->callsAfterDestroy, 0);
    EXPECT_TRUE(boxes.boxes.empty());
}

// Real time: the pause is longer than a period of the poll.
TEST_F(Tuning, ATuneInsideDisconnectsPumpLeavesNoPollRunning)
{
    SetWindowTextA(form.cboMulti.Handle(), "218.640");
    PostClick(form, form.tbTune);
    form.tbDisconnectClick();
    ASSERT_EQ(fake->calls.back(), "Tune(218.64)") << "the tune did not run inside Disconnect";
    EXPECT_FALSE(form.SignalChk.Enabled());
    EXPECT_FALSE(Receiver.held());

    const std::size_t callsAtDisconnect = fake->calls.size();
    PumpUntil([] { return false; }, 1600);
    EXPECT_EQ(fake->calls.size(), callsAtDisconnect);
    EXPECT_EQ(fake->callsAfterDestroy, 0);
    EXPECT_TRUE(boxes.boxes.empty());
}
