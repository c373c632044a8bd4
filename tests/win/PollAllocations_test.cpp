// The once-a-second poll of a locked receiver allocates nothing: no heap block is asked for
// between the first locked tick and any later one. The receiver is the stand-in, whose own
// allocations live in its own module and are not counted here.
#include "SimRxFixture.h"
#include "StandInRegistration.h"
#include "app/OVPlexor.h"
#include "app/SignalHistory.h"
#include "MainWindowState.h"
#include "ui/Application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}  // namespace

// The replacement pair allocates with malloc and frees with free; the compiler cannot see that
// they match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

TEST(PollAllocations, ALockedPollAsksForNoMemory)
{
    const StandInRegistration registration;
    if (!registration.ours())
        GTEST_SKIP() << "another receiver component is registered in this Wine prefix";
    const TempFile scenario("multiplex 218.640 0x1001 \"Quiet Mux\"\nacquire\nsignal 0.0125 0.02 lost:60 0.03\n"
                            "service 0xC221 audio \"One\"\nservice -5 data \"Two\"\n");
    const ScopedEnvironment scenarioVariable(L"SIMRX_SCENARIO", scenario.path().c_str());
    const ComApartment com;
    {
        TOVPlexor form;
        form.tbConnectClick();
        ASSERT_TRUE(Receiver.held());
        SetWindowTextA(form.cboMulti.Handle(), "218.640");
        form.tbTuneClick();
        const auto tick = [&] { SendMessageA(form.Handle(), WM_TIMER, form.SignalChk.Id(), 0); };
        tick();  // the first locked tick fetches the label and counts the services
        ASSERT_EQ(TextOf(form.lbMux), "Quiet Mux");
        const long before = allocations;
        for (int second = 0; second < 8; ++second)  // locked, locked, lost, locked...
            tick();
        EXPECT_EQ(allocations - before, 0);
        EXPECT_NE(SignalHistory.values.back(), 0);
        form.tbDisconnectClick();
    }
    FinalizePlexorModule();
}
