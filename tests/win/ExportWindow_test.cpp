// Refresh and Export in the main window: when they are offered, the order in which the counts
// change, what an export writes, and how a failure is reported while the window carries on.
#include "ErrorBoxCatcher.h"
#include "FakeReceiver.h"
#include "MainWindowState.h"
#include "ScratchRegistry.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
const std::string Services = "Software\\Kelmoor\\Orvane\\Services";
const std::string Multiplex = Services + "\\Kelmoor Digital";

// Tuned, and the first lock not yet polled.
const WindowState AcquiringFirstTune{false, true, true, true, false, false, true, "Ready", true};

// Records, in order, every text given to the watched labels, as "name=text".
class CaptionRecorder {
public:
    explicit CaptionRecorder(std::vector<std::pair<std::string, const Label*>> labels) : labels_(std::move(labels))
    {
        for (std::size_t i = 0; i < labels_.size(); ++i)
            SetWindowSubclass(labels_[i].second->Handle(), Proc, i, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CaptionRecorder()
    {
        for (std::size_t i = 0; i < labels_.size(); ++i)
            RemoveWindowSubclass(labels_[i].second->Handle(), Proc, i);
    }
    CaptionRecorder(const CaptionRecorder&) = delete;
    CaptionRecorder& operator=(const CaptionRecorder&) = delete;

    std::vector<std::string> changes;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index, DWORD_PTR self)
    {
        try {
            auto* recorder = reinterpret_cast<CaptionRecorder*>(self);
            if (message == WM_SETTEXT)
                recorder->changes.push_back(recorder->labels_[index].first + "=" + reinterpret_cast<const char*>(lParam));
        } catch (...) {
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    std::vector<std::pair<std::string, const Label*>> labels_;
};

class ExportWindow : public testing::Test {
protected:
    ExportWindow()
    {
        receivers.prepare = [](FakeReceiver& fake) {
            fake.multiplexLabel = L"Kelmoor Digital";
            fake.audioKinds = {1};
            fake.services = {{11, 1, L"Radio One"}, {-12, 2, L"Traffic"}, {13, 1, L"Jazz"}};
        };
    }
    void TearDown() override { FinalizePlexorModule(); }

    void Connect()
    {
        Click(form, form.tbConnect);
        fake = receivers.made.back();
    }
    void Tune(const char* text)
    {
        SetWindowTextA(form.cboMulti.Handle(), text);
        Click(form, form.tbTune);
    }
    // One tick of the poll, with the receiver locked or not. The test gives every tick itself.
    void Poll(bool locked)
    {
        KillTimer(form.Handle(), form.SignalChk.Id());
        fake->locked = locked ? 1 : 0;
        PostMessageA(form.Handle(), WM_TIMER, form.SignalChk.Id(), 0);
        Application::ProcessMessages();
    }
    // Connected, tuned to `frequency` and past the first lock, with no error shown.
    void LockOn(const char* frequency = "218.640")
    {
        Connect();
        Tune(frequency);
        Poll(true);
        ASSERT_EQ(StateOf(form), Monitoring);
        ASSERT_TRUE(boxes.boxes.empty());
    }
    std::vector<std::string> Counts() const { return {TextOf(form.lbTotal), TextOf(form.lbAudio), TextOf(form.lbData)}; }

    ScratchCurrentUser scratch;
    FakeReceiverClass receivers;
    ErrorBoxCatcher boxes;
    TOVPlexor form;
    std::shared_ptr<FakeReceiver> fake;
};
}  // namespace

TEST_F(ExportWindow, RefreshAndExportAreOfferedFromTheFirstLockOn)
{
    Connect();
    EXPECT_EQ(StateOf(form), Connected);
    Tune("218.640");
    EXPECT_EQ(StateOf(form), AcquiringFirstTune);
    Poll(false);
    EXPECT_EQ(StateOf(form), AcquiringFirstTune);
    EXPECT_EQ(Counts(), (std::vector<std::string>{"0", "0", "0"}));

    Poll(true);
    EXPECT_EQ(StateOf(form), Monitoring);
    EXPECT_EQ(TextOf(form.lbMux), "Kelmoor Digital");
    EXPECT_EQ(Counts(), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_FALSE(KeyExists(Services)) << "a census writes nothing";
}

TEST_F(ExportWindow, EveryCensusSetsTheCountsAudioThenDataThenTotal)
{
    Connect();
    Tune("218.640");
    struct Trigger {
        const char* name;
        std::vector<FakeService> services;
        std::function<void()> run;
    };
    const Trigger triggers[] = {
        {"first lock", {{1, 1, L"A"}, {2, 2, L"B"}}, [&] { Poll(true); }},
        {"Refresh", {{1, 2, L"A"}, {2, 2, L"B"}, {3, 1, L"C"}}, [&] { Click(form, form.btnRefresh); }},
        {"Export", {{1, 1, L"A"}, {2, 1, L"B"}, {3, 1, L"C"}, {4, 2, L"D"}}, [&] { Click(form, form.tbExport); }},
    };
    for (const Trigger& trigger : triggers) {
        SCOPED_TRACE(trigger.name);
        fake->services = trigger.services;
        int audio = 0;
        for (const FakeService& service : trigger.services)
            audio += service.kind == 1;
        const int data = static_cast<int>(trigger.services.size()) - audio;

        CaptionRecorder recorder({{"audio", &form.lbAudio}, {"data", &form.lbData}, {"total", &form.lbTotal}});
        trigger.run();
        EXPECT_EQ(recorder.changes, (std::vector<std::string>{"audio=" + std::to_string(audio), "data=" + std::to_string(data),
                                                             "total=" + std::to_string(audio + data)}));
        EXPECT_EQ(StateOf(form), Monitoring);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ExportWindow, ExportWritesTheMultiplexWithTheTunedTextAsTypedAndOneKeyPerService)
{
    // The text is stored as it stood in the box, blanks included.
    LockOn(" 218.64 ");
    Click(form, form.tbExport);

    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(SubkeyNames(Services), std::vector<std::string>{"Kelmoor Digital"});
    EXPECT_EQ(ValueNames(Multiplex), std::vector<std::string>{""});
    EXPECT_EQ(ReadValue(Multiplex, ""), StringValue(" 218.64 "));
    EXPECT_EQ(SubkeyNames(Multiplex), (std::vector<std::string>{"Jazz", "Radio One", "Traffic"}));
    EXPECT_EQ(ReadValue(Multiplex + "\\Radio One", "ServiceHandle"), StringValue("11"));
    EXPECT_EQ(ReadValue(Multiplex + "\\Traffic", "ServiceHandle"), StringValue("-12"));
    EXPECT_EQ(ReadValue(Multiplex + "\\Jazz", "ServiceHandle"), StringValue("13"));
    EXPECT_EQ(Counts(), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(StateOf(form), Monitoring);
}

TEST_F(ExportWindow, AFailedRefreshOrExportShowsOneBoxKeepsTheCountsAndWhatIsWrittenAndTheWindowGoesOn)
{
    struct Case {
        const char* what;
        const Control& trigger;
        std::function<void(FakeReceiver&)> spoil;
        const char* text;
        bool multiplexKey;
        std::vector<std::string> serviceKeys;
    };
    const std::wstring tooLong(300, L'x');  // a key name the registry refuses
    const Case cases[] = {
        {"receiver fails on the second service's next", form.tbExport,
         [](FakeReceiver& f) {
             f.faults["GetNextService"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Receiver lost."), f.CallCount("GetNextService") + 2, false);
         },
         "Receiver lost.", true, {"Radio One", "Traffic"}},
        {"receiver fails during a refresh", form.btnRefresh,
         [](FakeReceiver& f) { f.faults["IsAudioKind"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Receiver lost."), f.CallCount("IsAudioKind") + 2, false); },
         "Receiver lost.", false, {}},
        // The message ends in a quote, whose code is below the full stop's: no full stop is added.
        {"multiplex key refused", form.tbExport, [&](FakeReceiver& f) { f.multiplexLabel = tooLong; },
         "Failed to set data for ''", false, {}},
        {"service key refused", form.tbExport, [&](FakeReceiver& f) { f.services[1].label = tooLong; },
         "Failed to set data for 'ServiceHandle'", true, {"Radio One"}},
        {"endless list of services", form.btnRefresh, [](FakeReceiver& f) { f.endlessServices = true; },
         "The receiver lists more than 65536 services.", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (Receiver.held())
            Click(form, form.tbDisconnect);
        DeleteKeyTree(Services);
        boxes.boxes.clear();
        LockOn();
        c.spoil(*fake);

        Click(form, c.trigger);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, c.text);
        EXPECT_EQ(boxes.boxes[0].caption, "win_tests");
        EXPECT_EQ(boxes.boxes[0].owner, form.Handle());
        EXPECT_EQ(Counts(), (std::vector<std::string>{"3", "2", "1"}));
        EXPECT_EQ(TextOf(form.lbMux), "Kelmoor Digital");
        EXPECT_EQ(KeyExists(Multiplex), c.multiplexKey);
        if (c.multiplexKey) {
            EXPECT_EQ(ReadValue(Multiplex, ""), StringValue("218.640"));
        }
        EXPECT_EQ(SubkeyNames(Multiplex), c.serviceKeys);
        EXPECT_EQ(StateOf(form), Monitoring);

        // The window goes on: the poll still runs and the next census works.
        fake->faults.clear();
        fake->endlessServices = false;
        fake->services = {{21, 1, L"News"}};
        Poll(true);
        Click(form, form.btnRefresh);
        EXPECT_EQ(Counts(), (std::vector<std::string>{"1", "1", "0"}));
        EXPECT_EQ(boxes.boxes.size(), 1u);
    }
}

TEST_F(ExportWindow, ANewTuneKeepsExportButTakesRefreshUntilItLocks)
{
    LockOn();
    Tune("220.352");
    const WindowState acquiringAgain{false, true, true, true, false, true, true, "Ready", true};
    EXPECT_EQ(StateOf(form), acquiringAgain);
    Poll(false);
    EXPECT_EQ(StateOf(form), acquiringAgain);
    Poll(true);
    EXPECT_EQ(StateOf(form), Monitoring);
}

TEST_F(ExportWindow, AnExportAfterAFailedTuneStoresTheFrequencyOfTheLastTuneTheReceiverTook)
{
    struct Case {
        const char* what;
        const char* text;
        bool receiverRefuses;
    };
    const Case cases[] = {
        {"a text that is no frequency", "abc", false},
        {"a frequency the receiver refuses", "220.352", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (Receiver.held())
            Click(form, form.tbDisconnect);
        DeleteKeyTree(Services);
        LockOn("218.640");
        if (c.receiverRefuses)
            fake->faults["Tune"] = FakeFault(E_FAIL, FakeErrorInfo(L"Rx", L"Cannot tune."));

        Tune(c.text);
        EXPECT_EQ(TextOf(form.lbMux), "None");
        EXPECT_TRUE(form.tbExport.Enabled());
        EXPECT_FALSE(form.btnRefresh.Enabled());
        Click(form, form.tbExport);
        // The locked multiplex is still the one tuned to 218.640: it must not be labelled with the failed text.
        EXPECT_EQ(ReadValue(Multiplex, ""), StringValue("218.640"));
        EXPECT_EQ(SubkeyNames(Multiplex).size(), 3u);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}
