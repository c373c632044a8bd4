#pragma once
// A scriptable stand-in for the receiver component, living in the test process. A test scripts
// a FakeReceiver (the answers, the faults), hands it to a COM object that answers through the
// real IViadabRx vtable, and afterwards reads the call log and the reference counts. The script
// outlives the COM object, so a test can still look at both once the program let go of it.
#include "receiver/ComPtr.h"
#include "receiver/IViadabRx.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The answers to successive calls: each answering call takes the next one (a call failed by a
// fault takes none), and the last one repeats forever.
// `fake.locked = {0, 0, 1};` answers unlocked twice, then locked.
template <class T>
class FakeAnswers {
public:
    FakeAnswers(T value = T{}) : values_{value} {}
    FakeAnswers(std::initializer_list<T> values) : values_(values)
    {
        if (values_.empty())
            values_.push_back(T{});
    }
    T next()
    {
        const T value = values_.front();
        if (values_.size() > 1)
            values_.pop_front();
        return value;
    }

private:
    std::deque<T> values_;
};

struct FakeService {
    LONG handle = 0;
    LONG kind = 0;
    std::wstring label; // may hold NUL characters: it is delivered with its full length
};

// The error information a failing (or oddly succeeding) call leaves for its caller.
struct FakeErrorInfo {
    FakeErrorInfo(std::wstring source, std::wstring description, std::wstring helpFile = {}, DWORD helpContext = 0)
        : source(std::move(source)), description(std::move(description)), helpFile(std::move(helpFile)), helpContext(helpContext) {}
    std::wstring source;
    std::wstring description;
    std::wstring helpFile;
    DWORD helpContext = 0;
};

// Makes an operation answer `result` on its call number `onCall` (counting from 1) and, with
// `later`, on every call after it too. With a failure code the out-argument is left alone
// (a label comes back null); with a success code such as S_FALSE the value is still delivered.
// Without `info` the call clears the thread's error information.
// `fake.faults["GetLocked"] = {E_FAIL, FakeErrorInfo(L"Rx", L"Lost."), 3, false};`
struct FakeFault {
    FakeFault(HRESULT result = E_FAIL, std::optional<FakeErrorInfo> info = {}, int onCall = 1, bool later = true)
        : result(result), info(std::move(info)), onCall(onCall), later(later) {}
    HRESULT result;
    std::optional<FakeErrorInfo> info;
    int onCall;
    bool later;
};

struct FakeReceiver {
    // --- Script ---
    LONG tuneResult = 0;
    FakeAnswers<LONG> lockStage = 0;
    FakeAnswers<LONG> locked = 0;
    FakeAnswers<double> signalError = 0.0;
    LONG multiplex = 100;
    std::wstring multiplexLabel = L"Fake Multiplex";
    // GetFirstService/GetNextService walk this list; GetNextService yields 0 after the last
    // service, or, with `endlessServices`, starts again at the first and never yields 0.
    std::vector<FakeService> services;
    bool endlessServices = false;
    std::set<LONG> audioKinds;
    // Keyed by operation name ("Tune", "GetLabel", ...).
    std::map<std::string, FakeFault, std::less<>> faults;
    // Runs on every call of the eleven operations, after it is logged and before it answers.
    std::function<void(const char* operation)> onCall;
    // Runs when the last reference goes.
    std::function<void()> onDestroy;

    // --- Observations ---
    // One line per call, in order: "Tune(218.64)", "GetLocked", "GetServiceKind(3)",
    // "GetLabel(7)", "IsAudioKind(1)"... A frequency is written in the shortest form that reads
    // back as the same double. GetLabel and GetServiceKind fail with E_INVALIDARG for a handle
    // that is neither the multiplex nor one of the services.
    std::vector<std::string> calls;
    std::vector<double> tunedFrequencies; // exactly as received
    int CallCount(std::string_view operation) const;

    // The object's memory is kept after its last Release, so that a stray call or Release
    // afterwards is counted here instead of touching freed memory.
    bool created = false;
    bool destroyed = false;
    ULONG refCount = 0;       // references held now
    int addRefs = 0;          // AddRef calls (the reference made at creation is not one)
    int releases = 0;         // Release calls
    int overReleases = 0;     // Release calls on an object already at 0
    int callsAfterDestroy = 0; // operations called once it was destroyed (answered E_UNEXPECTED)
    bool alive() const noexcept { return created && !destroyed; }

    // --- Internal to the COM object ---
    std::size_t servicePosition = 0;
    std::map<std::string, int, std::less<>> callCounts;
};

// Fake COM objects alive now, of every kind, across all scripts.
int LiveFakeObjects() noexcept;

// A new COM object answering from `script`; the caller owns its one reference.
ComPtr<IViadabRx> CreateFakeReceiver(const std::shared_ptr<FakeReceiver>& script);
// A new COM object that offers only IUnknown; `script` only observes its reference counts.
ComPtr<IUnknown> CreateFakeWithoutInterface(const std::shared_ptr<FakeReceiver>& script);

// Keeps this thread in a single-threaded apartment for its lifetime (nested entries are fine).
class TestApartment {
public:
    TestApartment();
    ~TestApartment();
    TestApartment(const TestApartment&) = delete;
    TestApartment& operator=(const TestApartment&) = delete;

private:
    bool entered_;
};

// For its lifetime, registers a class factory for CLSID_ViadabRx in this thread's apartment
// (entering a single-threaded apartment for that long), so that CoCreateInstance of the
// receiver class, as CoViadabRx::Create does it, makes fakes without any registry entry.
// It registers as an in-process class: Wine also finds a local-server registration, but keeps
// it in rpcss after a test process crashes, and until the wineserver exits every later
// creation of the class then fails with RPC_S_SERVER_UNAVAILABLE instead of "not registered".
class FakeReceiverClass {
public:
    FakeReceiverClass();
    ~FakeReceiverClass();
    FakeReceiverClass(const FakeReceiverClass&) = delete;
    FakeReceiverClass& operator=(const FakeReceiverClass&) = delete;

    // Scripts for the fakes to come, taken in order; once none is left, a default one is made.
    std::deque<std::shared_ptr<FakeReceiver>> upcoming;
    // Called on each new script before its object is handed out.
    std::function<void(FakeReceiver&)> prepare;
    // Hands out objects without IViadabRx (their scripts still count their references).
    bool withoutInterface = false;
    // A failure code for the factory's CreateInstance to answer instead of creating anything.
    HRESULT createFailure = S_OK;
    // Makes CreateInstance answer S_OK without an object, as a broken server might.
    bool answerNull = false;
    // The script of every object made so far, in order.
    std::vector<std::shared_ptr<FakeReceiver>> made;

private:
    class Factory;
    TestApartment apartment_;
    ComPtr<Factory> factory_;
    DWORD cookie_ = 0;
};

static_assert(!std::is_copy_constructible_v<TestApartment> && !std::is_copy_assignable_v<TestApartment>);
static_assert(!std::is_copy_constructible_v<FakeReceiverClass> && !std::is_copy_assignable_v<FakeReceiverClass>);
