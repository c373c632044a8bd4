// The binding to the receiver component, against the in-process fake: creation, every operation
// through the real vtable, and how each failure becomes an error.
#include "receiver/AnsiText.h"
#include "receiver/CoViadabRx.h"
#include "receiver/OleErrors.h"
#include "receiver/ReceiverRef.h"
#include "tests/win/FakeReceiver.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>

namespace {

// A receiver created through COM, as the program's Connect does it, with its fake's script.
struct CreatedReceiver {
    FakeReceiverClass fakeClass;
    std::shared_ptr<FakeReceiver> fake = std::make_shared<FakeReceiver>();
    ReceiverRef receiver;

    CreatedReceiver()
    {
        fakeClass.upcoming.push_back(fake);
        receiver = ReceiverRef(CoViadabRx::Create());
    }
};

bool ClassRegistered()
{
    HKEY key = nullptr;
    const bool found = RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{E0EDB411-885F-11D3-982E-00C04F71996F}", 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (found)
        RegCloseKey(key);
    return found;
}

std::string Shortest(double value)
{
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string Hex(HRESULT code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(code));
    return text;
}

// Each of the ten operations the program calls, with the value it delivers shown as text.
struct Operation {
    const char* name;
    const char* logLine;
    std::string (*call)(const ReceiverRef&);
    const char* delivered; // as scripted by ScriptValues
};

const Operation operations[] = {
    {"Tune", "Tune(218.64)", [](const ReceiverRef& r) { return std::to_string(r.Tune(218.64)); }, "77"},
    {"GetLockStage", "GetLockStage", [](const ReceiverRef& r) { return std::to_string(r.GetLockStage()); }, "3"},
    {"GetLocked", "GetLocked", [](const ReceiverRef& r) { return std::to_string(r.GetLocked()); }, "1"},
    {"GetSignalError", "GetSignalError", [](const ReceiverRef& r) { return Shortest(r.GetSignalError()); }, "0.0123"},
    {"GetMultiplex", "GetMultiplex", [](const ReceiverRef& r) { return std::to_string(r.GetMultiplex()); }, "-7"},
    {"GetFirstService", "GetFirstService", [](const ReceiverRef& r) { return std::to_string(r.GetFirstService()); }, "5"},
    {"GetNextService", "GetNextService", [](const ReceiverRef& r) { return std::to_string(r.GetNextService()); }, "-5"},
    {"GetServiceKind", "GetServiceKind(-5)", [](const ReceiverRef& r) { return std::to_string(r.GetServiceKind(-5)); }, "9"},
    {"GetLabel", "GetLabel(-7)", [](const ReceiverRef& r) { return ToAnsi(r.GetLabel(-7).get()); }, "Mux"},
    {"IsAudioKind", "IsAudioKind(9)", [](const ReceiverRef& r) { return std::to_string(r.IsAudioKind(9)); }, "1"},
};

void ScriptValues(FakeReceiver& fake)
{
    fake.tuneResult = 77;
    fake.lockStage = 3;
    fake.locked = 1;
    fake.signalError = 0.0123;
    fake.multiplex = -7;
    fake.multiplexLabel = L"Mux";
    fake.services = {{5, 8, L"Five"}, {-5, 9, L"Minus five"}};
    fake.audioKinds = {9};
}

} // namespace

TEST(ReceiverCreation, RegisteredFakeIsCreatedWithOneReferenceHeldByTheCaller)
{
    FakeReceiverClass fakeClass;
    {
        ComPtr<IViadabRx> receiver = CoViadabRx::Create();
        ASSERT_TRUE(receiver);
        ASSERT_EQ(fakeClass.made.size(), 1u);
        EXPECT_EQ(fakeClass.made[0]->refCount, 1u);
    }
    const FakeReceiver& fake = *fakeClass.made[0];
    EXPECT_TRUE(fake.destroyed);
    EXPECT_EQ(fake.overReleases, 0);
    EXPECT_EQ(LiveFakeObjects(), 0);
}

TEST(ReceiverCreation, UnregisteredClassRaisesEOleSysErrorWithItsCode)
{
    TestApartment apartment;
    if (ClassRegistered())
        GTEST_SKIP() << "a receiver component is registered in this Wine prefix";
    try {
        CoViadabRx::Create();
        FAIL() << "created an unregistered class";
    } catch (const EOleException&) {
        FAIL() << "creation raised the error of a failed operation";
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), REGDB_E_CLASSNOTREG);
        EXPECT_EQ(error.HelpContext(), 0u);
        // Windows has a text for this code; Wine has none, and then the fallback shows.
        if (SystemErrorText(REGDB_E_CLASSNOTREG).empty())
            EXPECT_STREQ(error.what(), "OLE error 80040154");
        else
            EXPECT_STRNE(error.what(), "");
    }
}

TEST(ReceiverCreation, FailedCreationCarriesTheCodeAndTheMessageOfTheRule)
{
    const struct {
        HRESULT code;
        const char* message;
    } cases[] = {
        {HRESULT(0x80041234), "OLE error 80041234"},
        {E_ACCESSDENIED, "Access denied"}, // Wine's system text, trimmed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Hex(c.code));
        FakeReceiverClass fakeClass;
        fakeClass.createFailure = c.code;
        try {
            CoViadabRx::Create();
            ADD_FAILURE() << "creation succeeded";
        } catch (const EOleSysError& error) {
            EXPECT_EQ(error.ErrorCode(), c.code);
            EXPECT_STREQ(error.what(), c.message);
        }
        EXPECT_TRUE(fakeClass.made.empty());
    }
}

TEST(ReceiverCreation, ObjectWithoutTheInterfaceRaisesInterfaceNotSupportedAndIsReleased)
{
    FakeReceiverClass fakeClass;
    fakeClass.withoutInterface = true;
    try {
        CoViadabRx::Create();
        FAIL() << "creation succeeded";
    } catch (const EIntfCastError& error) {
        EXPECT_STREQ(error.what(), "Interface not supported");
    }
    ASSERT_EQ(fakeClass.made.size(), 1u);
    const FakeReceiver& fake = *fakeClass.made[0];
    EXPECT_TRUE(fake.destroyed);
    EXPECT_EQ(fake.refCount, 0u);
    EXPECT_EQ(fake.overReleases, 0);
}

TEST(ReceiverCreation, ServerAnsweringSuccessWithoutAnObjectRaisesInterfaceNotSupported)
{
    FakeReceiverClass fakeClass;
    fakeClass.answerNull = true;
    try {
        CoViadabRx::Create();
        FAIL() << "creation succeeded";
    } catch (const EOleSysError& error) {
        // The COM runtime may turn the missing object into a failure code of its own.
        EXPECT_TRUE(FAILED(error.ErrorCode()));
    } catch (const EIntfCastError& error) {
        EXPECT_STREQ(error.what(), "Interface not supported");
    }
}

TEST(ReceiverOperations, PassArgumentsAndDeliverValuesOnEverySuccessCode)
{
    for (const HRESULT success : {S_OK, S_FALSE, HRESULT(2)}) {
        for (const Operation& operation : operations) {
            SCOPED_TRACE(std::string(operation.name) + " answering " + Hex(success));
            CreatedReceiver created;
            ScriptValues(*created.fake);
            if (success != S_OK)
                created.fake->faults[operation.name] = FakeFault(success);
            EXPECT_EQ(operation.call(created.receiver), operation.delivered);
            EXPECT_EQ(created.fake->calls, std::vector<std::string>{operation.logLine});
        }
    }
}

TEST(ReceiverOperations, TuneSendsTheExactFrequency)
{
    CreatedReceiver created;
    created.receiver.Tune(218.64);
    created.receiver.Tune(174.928);
    EXPECT_EQ(created.fake->tunedFrequencies, (std::vector<double>{218.64, 174.928}));
}

TEST(ReceiverOperations, LabelKeepsItsFullLengthWithNulAndNonLatinCharacters)
{
    CreatedReceiver created;
    const std::wstring label(L"R\0\u0420\u0430\u0434\u0438\u043E \u65E5\u672C", 10);
    created.fake->services = {{0, 1, label}};
    const Bstr delivered = created.receiver.GetLabel(0);
    ASSERT_EQ(delivered.length(), label.size());
    EXPECT_EQ(std::wstring(delivered.get(), delivered.length()), label);
    EXPECT_EQ(created.fake->calls, std::vector<std::string>{"GetLabel(0)"});
}

TEST(ReceiverOperations, EveryFailureRaisesEOleExceptionWithTheMessageOfTheRule)
{
    const struct {
        const char* name;
        HRESULT code;
        std::optional<FakeErrorInfo> info;
        const char* message;
        const char* source;
        const char* helpFile;
        DWORD helpContext;
    } cases[] = {
        {"description less its full stop and line break", HRESULT(0x80040200),
         FakeErrorInfo(L"ViadabRx.Rx", L"Tuner not ready.\r\n", L"rx.hlp", 42), "Tuner not ready", "ViadabRx.Rx", "rx.hlp", 42},
        {"blank description, system text", E_ACCESSDENIED, FakeErrorInfo(L"Rx", L" \t\r\n"), "Access denied", "Rx", "", 0},
        {"blank description, no system text", HRESULT(0x80041234), FakeErrorInfo(L"", L"  "), "OLE error 80041234", "", "", 0},
        {"no error information, system text", E_FAIL, std::nullopt, "Call failed", "", "", 0},
        {"no error information, system text", E_ACCESSDENIED, std::nullopt, "Access denied", "", "", 0},
        {"no error information, no system text", HRESULT(0x80041234), std::nullopt, "OLE error 80041234", "", "", 0},
    };
    for (const auto& c : cases) {
        for (const Operation& operation : operations) {
            SCOPED_TRACE(std::string(c.name) + ", " + operation.name);
            CreatedReceiver created;
            ScriptValues(*created.fake);
            created.fake->faults[operation.name] = FakeFault(c.code, c.info);
            try {
                operation.call(created.receiver);
                ADD_FAILURE() << "no error raised";
            } catch (const EOleException& error) {
                EXPECT_STREQ(error.what(), c.message);
                EXPECT_EQ(error.ErrorCode(), c.code);
                EXPECT_EQ(error.Source(), c.source);
                EXPECT_EQ(error.HelpFile(), c.helpFile);
                EXPECT_EQ(error.HelpContext(), c.helpContext);
            }
            EXPECT_EQ(created.fake->calls, std::vector<std::string>{operation.logLine});
        }
    }
}

TEST(ReceiverOperations, DescriptionOutsideTheAnsiCodePageBecomesTheSystemsSubstitutes)
{
    CreatedReceiver created;
    const std::wstring description = L"Empf\u00E4nger gest\u00F6rt \u65E5\u672C \u0416";
    created.fake->faults["GetLocked"] = FakeFault(E_FAIL, FakeErrorInfo(L"R\u00F8", description + L".\r\n"));
    try {
        created.receiver.GetLocked();
        FAIL() << "no error raised";
    } catch (const EOleException& error) {
        char expected[64] = {};
        WideCharToMultiByte(CP_ACP, 0, description.c_str(), -1, expected, sizeof expected, nullptr, nullptr);
        EXPECT_STREQ(error.what(), expected);
        EXPECT_EQ(std::strlen(error.what()), description.size()); // one byte per character
        if (GetACP() == 1252) {
            EXPECT_STREQ(error.what(), "Empf\xE4nger gest\xF6rt ?? ?");
            EXPECT_EQ(error.Source(), "R\xF8");
        }
    }
}

TEST(ReceiverOperations, CallWithoutAReceiverRaisesInsteadOfCrashing)
{
    const ReceiverRef empty;
    EXPECT_THROW(empty.GetLocked(), EOleSysError);
    EXPECT_THROW(empty.GetSignalError(), EOleSysError);
    EXPECT_THROW(empty.GetLabel(1), EOleSysError);
}

TEST(ReceiverOperations, ClearingTheReferenceReleasesTheComponent)
{
    CreatedReceiver created;
    created.receiver.GetLocked();
    EXPECT_EQ(created.fake->refCount, 1u);
    created.receiver.clear();
    EXPECT_TRUE(created.fake->destroyed);
    EXPECT_EQ(created.fake->overReleases, 0);
}
