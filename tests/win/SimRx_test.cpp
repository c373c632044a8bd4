// The stand-in receiver, loaded in-process through DllGetClassObject.
#include "SimRxDll.h"
#include "SimRxFixture.h"

#include "receiver/OleErrors.h"
#include "receiver/ReceiverRef.h"

#include <functional>

namespace {

constexpr double kPresets[] = {218.640, 220.352, 222.064, 223.936, 225.648, 227.360, 229.072};

bool IsNamedStage(LONG stage)
{
    return stage == 0 || stage == 1 || stage == 2 || stage == 4 || stage == 8 || stage == 16 || stage == 32 ||
           (stage >= 40 && stage <= 100);
}

std::wstring LabelOf(IViadabRx* receiver, LONG handle)
{
    Bstr label;
    EXPECT_EQ(receiver->GetLabel(handle, label.put()), S_OK);
    return std::wstring(label.get() ? label.get() : L"", label.length());
}

// Everything a tuner window would see of one preset over some polls, as text.
std::wstring Observe(IViadabRx* receiver, double frequency, int polls)
{
    std::wstring seen;
    LONG ignored = 0;
    receiver->Tune(frequency, &ignored);
    for (int i = 0; i < polls; ++i) {
        LONG locked = 0, stage = 0, multiplex = 0;
        double signalError = 0;
        receiver->GetLocked(&locked);
        receiver->GetLockStage(&stage);
        receiver->GetSignalError(&signalError);
        seen += std::to_wstring(locked) + L'/' + std::to_wstring(stage) + L'/' + std::to_wstring(signalError) + L' ';
        if (locked && receiver->GetMultiplex(&multiplex) == S_OK)
            seen += LabelOf(receiver, multiplex) + L' ';
    }
    return seen;
}

}  // namespace

TEST_F(SimRxTest, DefaultNeighbourhoodLocksOnPresetsWithAMultiplexAndNeverOnTheOthers)
{
    for (const wchar_t* seed : {L"1", L"2", L"0x5eed"}) {
        SCOPED_TRACE(testing::Message() << "seed " << std::string(seed, seed + wcslen(seed)));
        SetEnvironmentVariableW(L"SIMRX_SEED", seed);
        const ComPtr<IViadabRx> receiver = create();
        int carrying = 0;
        for (const double frequency : kPresets) {
            SCOPED_TRACE(frequency);
            LONG ignored = 0, locked = 0, stage = 0;
            ASSERT_EQ(receiver->Tune(frequency, &ignored), S_OK);
            int firstLock = 0;
            bool stageZeroThroughout = true;
            for (int poll = 1; poll <= 30 && !firstLock; ++poll) {
                ASSERT_EQ(receiver->GetLocked(&locked), S_OK);
                ASSERT_EQ(receiver->GetLockStage(&stage), S_OK);
                EXPECT_TRUE(IsNamedStage(stage)) << stage;
                stageZeroThroughout = stageZeroThroughout && stage == 0;
                if (locked)
                    firstLock = poll;
            }
            if (!firstLock) {
                EXPECT_TRUE(stageZeroThroughout) << "a preset without a multiplex shows stage 0 forever";
                continue;
            }
            ++carrying;
            EXPECT_GE(firstLock, 4) << "locked before three polls of acquisition";
            EXPECT_LE(firstLock, 9);
            LONG multiplex = 0;
            ASSERT_EQ(receiver->GetMultiplex(&multiplex), S_OK);
            const std::wstring label = LabelOf(receiver.get(), multiplex);
            EXPECT_FALSE(label.empty());
            EXPECT_LE(label.size(), 16u);
            double signalError = 1;
            ASSERT_EQ(receiver->GetSignalError(&signalError), S_OK);
            EXPECT_GE(signalError, 0.0);
            EXPECT_LE(signalError, 0.1);
        }
        EXPECT_GE(carrying, 2);
        EXPECT_LE(carrying, 5) << "every preset carries a multiplex";
        LONG ignored = 0, locked = 0, everLocked = 0;
        receiver->Tune(219.5, &ignored);
        for (int poll = 0; poll < 30; ++poll) {
            receiver->GetLocked(&locked);
            everLocked |= locked;
        }
        EXPECT_EQ(everLocked, 0) << "locked between the presets";
    }
}

TEST_F(SimRxTest, SameSeedGivesTheSameFiguresAndAnotherSeedOthers)
{
    const auto observeAll = [this](const wchar_t* seed) {
        SetEnvironmentVariableW(L"SIMRX_SEED", seed);
        const ComPtr<IViadabRx> receiver = create();
        std::wstring seen;
        for (const double frequency : kPresets)
            seen += Observe(receiver.get(), frequency, 40) + L'\n';
        return seen;
    };
    const std::wstring first = observeAll(L"1234");
    EXPECT_EQ(observeAll(L"1234"), first);
    EXPECT_NE(observeAll(L"4321"), first);
}

TEST_F(SimRxTest, InjectedFaultFiresOnItsCallWithItsErrorInformation)
{
    struct Case {
        const char* operation;
        std::function<HRESULT(IViadabRx*)> call;
    };
    const Case cases[] = {
        {"Tune", [](IViadabRx* r) { LONG v; return r->Tune(218.640, &v); }},
        {"GetLockStage", [](IViadabRx* r) { LONG v; return r->GetLockStage(&v); }},
        {"GetLocked", [](IViadabRx* r) { LONG v; return r->GetLocked(&v); }},
        {"GetSignalError", [](IViadabRx* r) { double v; return r->GetSignalError(&v); }},
        {"GetMultiplex", [](IViadabRx* r) { LONG v; return r->GetMultiplex(&v); }},
        {"GetFirstService", [](IViadabRx* r) { LONG v; return r->GetFirstService(&v); }},
        {"GetNextService", [](IViadabRx* r) { LONG v; return r->GetNextService(&v); }},
        {"GetServiceKind", [](IViadabRx* r) { LONG v; return r->GetServiceKind(-3, &v); }},
        {"GetLabel", [](IViadabRx* r) { Bstr v; return r->GetLabel(-3, v.put()); }},
        {"IsAudioKind", [](IViadabRx* r) { LONG v; return r->IsAudioKind(63, &v); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        useScenario("multiplex 218.640 9 \"Mux\"\nservice -3 audio \"Service\"\n"
                    "fail " + std::string(c.operation) + " 2 0x80041234 \"Rx source\" \"Injected into " + c.operation +
                    ".\" \"rx.hlp\" 77\n");
        const ComPtr<IViadabRx> receiver = create();
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(c.call(receiver.get()), S_OK);
        EXPECT_FALSE(TakeThreadError().present);
        EXPECT_EQ(c.call(receiver.get()), static_cast<HRESULT>(0x80041234));
        const ThreadError error = TakeThreadError();
        EXPECT_TRUE(error.present);
        EXPECT_EQ(error.source, L"Rx source");
        EXPECT_EQ(error.description, L"Injected into " + std::wstring(c.operation, c.operation + strlen(c.operation)) + L".");
        EXPECT_EQ(error.helpFile, L"rx.hlp");
        EXPECT_EQ(error.helpContext, 77u);
        // Error information left over from elsewhere is cleared by a call that succeeds.
        ComPtr<ICreateErrorInfo> stale;
        ASSERT_EQ(CreateErrorInfo(stale.put()), S_OK);
        ComPtr<IErrorInfo> staleInfo;
        stale->QueryInterface(IID_IErrorInfo, staleInfo.putVoid());
        SetErrorInfo(0, staleInfo.get());
        EXPECT_EQ(c.call(receiver.get()), S_OK);
        EXPECT_FALSE(TakeThreadError().present);
    }
}

TEST_F(SimRxTest, FaultsWithoutErrorInformationOrWithASuccessCode)
{
    useScenario("fail GetLocked 2+ 0x80004005\n"
                "fail GetSignalError every 1\n");
    const ComPtr<IViadabRx> receiver = create();
    LONG locked = 7;
    EXPECT_EQ(receiver->GetLocked(&locked), S_OK);
    for (int call = 2; call <= 4; ++call) {
        locked = 7;
        EXPECT_EQ(receiver->GetLocked(&locked), E_FAIL) << call;
        EXPECT_EQ(locked, 0) << "a failed call delivers 0";
        EXPECT_FALSE(TakeThreadError().present);
    }
    double signalError = 0;
    EXPECT_EQ(receiver->GetSignalError(&signalError), S_FALSE);
    EXPECT_EQ(signalError, 0.1) << "a call answered with a success code still delivers its value";
}

TEST_F(SimRxTest, FailingCallsReachTheBindingAsItsErrors)
{
    useScenario("multiplex 218.640 9 \"Mux\"\n"
                "fail GetLabel 1 0x80004005 \"Receiver\" \"The tuner stopped answering.\\r\\n\"\n");
    const ReceiverRef receiver(create());
    try {
        receiver.GetLabel(9);
        ADD_FAILURE() << "no error";
    } catch (const EOleException& error) {
        EXPECT_STREQ(error.what(), "The tuner stopped answering");
        EXPECT_EQ(error.Source(), "Receiver");
        EXPECT_EQ(error.ErrorCode(), E_FAIL);
    }
    struct Case { std::function<void()> call; const char* message; };
    const Case cases[] = {
        {[&] { receiver.GetServiceKind(12345); }, "No service has the handle 12345"},
        {[&] { receiver.GetLabel(-8); }, "No multiplex or service has the handle -8"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EOleException& error) {
            EXPECT_STREQ(error.what(), c.message);
            EXPECT_EQ(error.ErrorCode(), E_INVALIDARG);
            EXPECT_EQ(error.Source(), "simrx");
        }
    }
}

TEST_F(SimRxTest, MalformedSettingsRefuseCreationNamingTheLineAndTheFault)
{
    struct Case { const char* scenario; const wchar_t* seed; HRESULT result; const wchar_t* description; };
    const Case cases[] = {
        {"# faults\nfail GetLabl 1 0x80004005\n", nullptr, E_INVALIDARG, L"line 2: unknown operation \"GetLabl\""},
        {"fail GetLabel 1 E_FAIL\n", nullptr, E_INVALIDARG, L"line 1: result \"E_FAIL\" is not a number"},
        {"multiplex 218.640 1 \"open\n", nullptr, E_INVALIDARG, L"line 1: a quoted text has no closing quote"},
        {"frobnicate\n", nullptr, E_INVALIDARG, L"line 1: unknown keyword \"frobnicate\""},
        {"", L"seven", E_INVALIDARG, L"SIMRX_SEED \"seven\" is not a number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scenario);
        useScenario(c.scenario);
        const ScopedEnvironment seed(L"SIMRX_SEED", c.seed);
        ComPtr<IViadabRx> receiver;
        EXPECT_EQ(tryCreate(receiver), c.result);
        EXPECT_FALSE(receiver);
        const ThreadError error = TakeThreadError();
        EXPECT_TRUE(error.present);
        EXPECT_NE(error.description.find(c.description), std::wstring::npos) << std::string(error.description.begin(), error.description.end());
        if (c.scenario[0]) {
            EXPECT_NE(error.description.find(scenario_->path()), std::wstring::npos) << "names the file";
        }
    }
    SetEnvironmentVariableW(L"SIMRX_SCENARIO", L"Z:\\no\\such\\folder\\scenario.txt");
    ComPtr<IViadabRx> receiver;
    EXPECT_EQ(tryCreate(receiver), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_NE(TakeThreadError().description.find(L"Cannot open the scenario file Z:\\no\\such\\folder\\scenario.txt"), std::wstring::npos);
}

TEST_F(SimRxTest, InjectedCreationFaultRefusesTheObject)
{
    useScenario("fail Create every 0x80040111 \"Rx\" \"No receiver is attached.\"\n");
    ComPtr<IViadabRx> receiver;
    EXPECT_EQ(tryCreate(receiver), static_cast<HRESULT>(0x80040111));
    EXPECT_FALSE(receiver);
    EXPECT_EQ(TakeThreadError().description, L"No receiver is attached.");
}

TEST_F(SimRxTest, LabelsKeepEveryCodeUnit)
{
    useScenario("multiplex 218.640 0 \"A\\0B\\\\C \\x01\xC3\xA9\\u041C\\uD800  \"\n"
                "service 5 data \"\"\n");
    const ComPtr<IViadabRx> receiver = create();
    const wchar_t expected[] = {L'A', 0, L'B', L'\\', L'C', L' ', 1, 0xE9, 0x41C, 0xD800, L' ', L' '};
    EXPECT_EQ(LabelOf(receiver.get(), 0), std::wstring(expected, std::size(expected)));
    Bstr empty;
    EXPECT_EQ(receiver->GetLabel(5, empty.put()), S_OK);
    EXPECT_TRUE(empty.get()) << "an empty label is an empty string, not a null one";
    EXPECT_EQ(empty.length(), 0u);
}

TEST_F(SimRxTest, ServiceWalkStartsAtAnyHandleAndEndsWithZero)
{
    useScenario("multiplex 218.640 1000 Mux\n"
                "service 0 audio Zero\n"
                "service -2147483648 data Lowest\n"
                "service 42 7 Other\n"
                "kind 7 5\n");
    const ComPtr<IViadabRx> receiver = create();
    LONG ignored = 0, handle = -1, kind = -1, answer = -1, multiplex = 0;
    receiver->Tune(218.640, &ignored);
    std::vector<std::pair<LONG, LONG>> walk;
    ASSERT_EQ(receiver->GetFirstService(&handle), S_OK);
    for (int guard = 0; guard < 10; ++guard) {
        ASSERT_EQ(receiver->GetServiceKind(handle, &kind), S_OK);
        ASSERT_EQ(receiver->IsAudioKind(kind, &answer), S_OK);
        ASSERT_EQ(receiver->GetMultiplex(&multiplex), S_OK);
        LabelOf(receiver.get(), multiplex);
        LabelOf(receiver.get(), handle);
        walk.emplace_back(handle, answer);
        ASSERT_EQ(receiver->GetNextService(&handle), S_OK);
        if (handle == 0)
            break;
    }
    const std::vector<std::pair<LONG, LONG>> expected = {{0, -1}, {-2147483647 - 1, 0}, {42, 5}};
    EXPECT_EQ(walk, expected);
    EXPECT_EQ(multiplex, 1000);
}

TEST_F(SimRxTest, CallLogRecordsEveryCallInOrder)
{
    const TempFile log;
    SetEnvironmentVariableW(L"SIMRX_LOG", log.path().c_str());
    useScenario("multiplex 218.640 9 \"M\\u00FCx\"\nacquire 2\n"
                "fail GetLocked 3 0x80004005 src \"Lost \\\"it\\\"\"\n");
    {
        const ComPtr<IViadabRx> receiver = create();
        LONG value = 0;
        double figure = 0;
        Bstr label;
        receiver->Tune(218.64, &value);
        receiver->GetLocked(&value);
        receiver->GetLockStage(&value);
        receiver->GetLocked(&value);
        receiver->GetSignalError(&figure);
        receiver->GetLocked(&value);
        receiver->GetLabel(9, label.put());
        receiver->GetLabel(10, label.put());
        receiver->Unused9();
    }
    const std::vector<std::string> expected = {
        "Create() -> 0x00000000",
        "Tune(218.64) -> 0x00000000 0",
        "GetLocked() -> 0x00000000 0",
        "GetLockStage() -> 0x00000000 2",
        "GetLocked() -> 0x00000000 1",
        "GetSignalError() -> 0x00000000 0.02",
        "GetLocked() -> 0x80004005 error \"Lost \\\"it\\\"\"",
        "GetLabel(9) -> 0x00000000 \"M\\xFCx\"",
        "GetLabel(10) -> 0x80070057 error \"No multiplex or service has the handle 10\"",
        "Unused9() -> 0x80004001",
        "Destroy()",
    };
    EXPECT_EQ(log.lines(), expected);

    useScenario("fail Tune x 1\n");
    ComPtr<IViadabRx> refused;
    EXPECT_EQ(tryCreate(refused), E_INVALIDARG);
    const std::vector<std::string> lines = log.lines();
    ASSERT_EQ(lines.size(), expected.size() + 1);
    EXPECT_EQ(lines.back().rfind("Create() -> 0x80070057 error \"Scenario ", 0), 0u) << lines.back();
    EXPECT_NE(lines.back().find("line 1: calls \\\"x\\\""), std::string::npos) << lines.back();
}

TEST_F(SimRxTest, DelayHoldsTheChosenCall)
{
    useScenario("delay GetLocked 300 2\n");
    const ComPtr<IViadabRx> receiver = create();
    LONG locked = 0;
    receiver->GetLocked(&locked);
    const DWORD start = GetTickCount();
    EXPECT_EQ(receiver->GetLocked(&locked), S_OK);
    EXPECT_GE(GetTickCount() - start, 250u);
}

TEST_F(SimRxTest, InterfacesAndPointersAreCheckedAsComRequires)
{
    const ComPtr<IViadabRx> receiver = create();
    ComPtr<IUnknown> unknown;
    ComPtr<IDispatch> dispatch;
    ComPtr<ISupportErrorInfo> supportsErrors;
    ComPtr<IClassFactory> notOffered;
    EXPECT_EQ(receiver->QueryInterface(IID_IUnknown, unknown.putVoid()), S_OK);
    EXPECT_EQ(receiver->QueryInterface(IID_IDispatch, dispatch.putVoid()), S_OK);
    ASSERT_EQ(receiver->QueryInterface(IID_ISupportErrorInfo, supportsErrors.putVoid()), S_OK);
    EXPECT_EQ(supportsErrors->InterfaceSupportsErrorInfo(__uuidof(IViadabRx)), S_OK);
    ComPtr<IUnknown> identity;
    supportsErrors->QueryInterface(IID_IUnknown, identity.putVoid());
    EXPECT_EQ(identity.get(), unknown.get()) << "one identity whichever interface is asked";
    EXPECT_EQ(receiver->QueryInterface(IID_IClassFactory, notOffered.putVoid()), E_NOINTERFACE);
    EXPECT_FALSE(notOffered);
    EXPECT_EQ(receiver->GetLocked(nullptr), E_POINTER);
    EXPECT_EQ(receiver->GetLabel(0, nullptr), E_POINTER);
    EXPECT_EQ(receiver->Unused9(), E_NOTIMPL);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(SimRxDll::Get().getClassObject(CLSID_ViadabRx, IID_IClassFactory, factory.putVoid()), S_OK);
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(unknown.get(), IID_IUnknown, aggregated.putVoid()), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(SimRxDll::Get().getClassObject(IID_IUnknown, IID_IClassFactory, notOffered.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
}

TEST(SimRxModule, CanUnloadOnlyWithoutLiveObjectsOrLocks)
{
    const SimRxDll& dll = SimRxDll::Get();
    ASSERT_EQ(dll.canUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(dll.getClassObject(CLSID_ViadabRx, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(dll.canUnloadNow(), S_FALSE) << "a class factory is held";
    ComPtr<IViadabRx> receiver;
    ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(IViadabRx), receiver.putVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(dll.canUnloadNow(), S_FALSE) << "a receiver and a lock are held";
    ComPtr<IViadabRx> second;
    receiver->QueryInterface(__uuidof(IViadabRx), second.putVoid());
    receiver.reset();
    EXPECT_EQ(dll.canUnloadNow(), S_FALSE) << "the receiver still has a reference";
    second.reset();
    EXPECT_EQ(dll.canUnloadNow(), S_FALSE) << "the server is locked";
    ASSERT_EQ(dll.getClassObject(CLSID_ViadabRx, IID_IClassFactory, factory.putVoid()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory.reset();
    EXPECT_EQ(dll.canUnloadNow(), S_OK);
}
