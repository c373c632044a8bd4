// The fake receiver is what every Windows test talks to: its script must answer as documented.
#include "tests/win/FakeReceiver.h"

#include <gtest/gtest.h>

namespace {

std::vector<LONG> WalkServices(IViadabRx& receiver, int calls)
{
    std::vector<LONG> handles;
    LONG handle = -1;
    receiver.GetFirstService(&handle);
    handles.push_back(handle);
    while (--calls > 0) {
        receiver.GetNextService(&handle);
        handles.push_back(handle);
    }
    return handles;
}

} // namespace

TEST(FakeReceiver, WalksServicesEndingWithZeroOrEndlessly)
{
    auto fake = std::make_shared<FakeReceiver>();
    fake->services = {{5, 1, L"A"}, {6, 2, L"B"}};
    ComPtr<IViadabRx> receiver = CreateFakeReceiver(fake);
    EXPECT_EQ(WalkServices(*receiver.get(), 4), (std::vector<LONG>{5, 6, 0, 0}));
    fake->endlessServices = true;
    EXPECT_EQ(WalkServices(*receiver.get(), 5), (std::vector<LONG>{5, 6, 5, 6, 5}));
}

TEST(FakeReceiver, AnswersInSequenceAndFailsFromTheScriptedCall)
{
    auto fake = std::make_shared<FakeReceiver>();
    fake->locked = {0, 0, 1};
    fake->faults["GetLocked"] = {E_FAIL, FakeErrorInfo(L"Rx", L"Lost."), 4, false};
    ComPtr<IViadabRx> receiver = CreateFakeReceiver(fake);
    std::vector<HRESULT> results;
    std::vector<LONG> values;
    for (int call = 0; call < 5; ++call) {
        LONG locked = -1;
        results.push_back(receiver->GetLocked(&locked));
        values.push_back(locked);
    }
    EXPECT_EQ(results, (std::vector<HRESULT>{S_OK, S_OK, S_OK, E_FAIL, S_OK}));
    EXPECT_EQ(values, (std::vector<LONG>{0, 0, 1, -1, 1}));
    EXPECT_EQ(fake->CallCount("GetLocked"), 5);
    EXPECT_EQ(fake->calls, std::vector<std::string>(5, "GetLocked"));
}

TEST(FakeReceiver, CountsReferencesAndStaysSafeAfterTheLastRelease)
{
    auto fake = std::make_shared<FakeReceiver>();
    IViadabRx* raw = nullptr;
    {
        ComPtr<IViadabRx> receiver = CreateFakeReceiver(fake);
        raw = receiver.get();
        EXPECT_EQ(LiveFakeObjects(), 1);
    }
    EXPECT_TRUE(fake->destroyed);
    EXPECT_EQ(LiveFakeObjects(), 0);
    LONG locked = 0;
    EXPECT_EQ(raw->GetLocked(&locked), E_UNEXPECTED);
    raw->Release();
    EXPECT_EQ(fake->callsAfterDestroy, 1);
    EXPECT_EQ(fake->overReleases, 1);
}
