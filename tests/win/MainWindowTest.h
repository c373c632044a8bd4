#pragma once
// The main window as the program starts it, with fake receivers to connect to and a catcher that
// answers error boxes, and the ways a test drives it.
#include "ErrorBoxCatcher.h"
#include "FakeReceiver.h"
#include "MainWindowState.h"
#include "app/SignalHistory.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The window's module state as at program start, before the window is made.
struct ModuleStateAtStart {
    ModuleStateAtStart()
    {
        NewTune = false;
        ClearSignalHistory();
        TunedFreqText.clear();
        AcceptedFreqText.clear();
    }
};

class MainWindowTest : public testing::Test {
protected:
    void TearDown() override { FinalizePlexorModule(); }

    // Connects to a new fake receiver that answers from `script`.
    void ConnectTo(const std::shared_ptr<FakeReceiver>& script)
    {
        receivers.upcoming.push_back(script);
        form.tbConnectClick();
    }

    // One tick of the poll, delivered through the message queue as the timer delivers it.
    void Tick()
    {
        PostMessageA(form.Handle(), WM_TIMER, form.SignalChk.Id(), 0);
        Application::ProcessMessages();
    }

    ModuleStateAtStart moduleState;
    FakeReceiverClass receivers;
    ErrorBoxCatcher boxes;
    TOVPlexor form;
};

// The receiver calls that `action` makes, in order.
template <class Action>
std::vector<std::string> CallsDuring(const FakeReceiver& receiver, Action action)
{
    const std::size_t before = receiver.calls.size();
    action();
    return {receiver.calls.begin() + static_cast<std::ptrdiff_t>(before), receiver.calls.end()};
}
