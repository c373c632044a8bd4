#include "app/ServiceCensus.h"

#include "app/RegistryAccessor.h"
#include "tests/win/FakeReceiver.h"
#include "tests/win/HandleCount.h"
#include "tests/win/ScratchRegistry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const std::string Services = "Software\\Kelmoor\\Orvane\\Services";

// Wide text in the system ANSI code page with the system's substitutes, as key names are written.
std::string Ansi(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length, nullptr, nullptr);
    return ansi;
}

std::vector<std::string> ServiceCalls(LONG service, LONG kind, bool exporting, LONG multiplex = 100)
{
    std::vector<std::string> calls{"GetServiceKind(" + std::to_string(service) + ")", "IsAudioKind(" + std::to_string(kind) + ")"};
    if (exporting)
        calls.insert(calls.end(), {"GetMultiplex", "GetLabel(" + std::to_string(multiplex) + ")", "GetLabel(" + std::to_string(service) + ")"});
    calls.push_back("GetNextService");
    return calls;
}

// The message of the error that `run` raises, of the kind expected.
template <class Error, class Run>
std::string ErrorOf(Run run)
{
    try {
        run();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error of that kind";
}

class ServiceCensusTest : public testing::Test {
protected:
    ServiceCensusTest() { Script({}); }
    // A fresh receiver: the fake counts calls over its whole life.
    void Script(std::vector<FakeService> services)
    {
        fake = std::make_shared<FakeReceiver>();
        fake->multiplexLabel = L"Mux";
        fake->audioKinds = {1};
        fake->services = std::move(services);
        receiver = ReceiverRef(CreateFakeReceiver(fake));
    }
    ServiceCounts Census() { return CountServices(receiver); }
    ServiceCounts Export(std::string_view frequency = "218.640") { return ExportServices(receiver, frequency); }

    // The program calls the receiver from a single-threaded apartment.
    TestApartment apartment;
    ScratchCurrentUser scratch;
    std::shared_ptr<FakeReceiver> fake;
    ReceiverRef receiver;
};

}  // namespace
TEST_F(ServiceCensusTest, CensusCountsAudioAndDataAskingOnlyKindAudioAndNextAndWritesNothing)
{
    fake->services = {{11, 1, L"A"}, {12, 2, L"B"}, {13, 1, L"C"}};
    const ServiceCounts counts = Census();
    EXPECT_EQ(counts.audio, 2);
    EXPECT_EQ(counts.data, 1);
    EXPECT_EQ(counts.total(), 3);

    std::vector<std::string> expected{"GetFirstService"};
    for (const FakeService& service : fake->services) {
        const auto calls = ServiceCalls(service.handle, service.kind, false);
        expected.insert(expected.end(), calls.begin(), calls.end());
    }
    EXPECT_EQ(fake->calls, expected);
    EXPECT_TRUE(SubkeyNames("").empty());
}

TEST_F(ServiceCensusTest, ExportWritesTheMultiplexKeyFirstThenOneKeyPerServiceAskingAfreshEachTime)
{
    fake->services = {{11, 1, L"Radio One"}, {12, 2, L"Traffic"}};
    const ServiceCounts counts = Export("218.640");
    EXPECT_EQ(counts.audio, 1);
    EXPECT_EQ(counts.data, 1);

    std::vector<std::string> expected{"GetMultiplex", "GetLabel(100)", "GetFirstService"};
    for (const FakeService& service : fake->services) {
        const auto calls = ServiceCalls(service.handle, service.kind, true);
        expected.insert(expected.end(), calls.begin(), calls.end());
    }
    EXPECT_EQ(fake->calls, expected);

    EXPECT_EQ(SubkeyNames(Services), (std::vector<std::string>{"Mux"}));
    EXPECT_EQ(ValueNames(Services + "\\Mux"), (std::vector<std::string>{""}));
    EXPECT_EQ(ReadValue(Services + "\\Mux", ""), StringValue("218.640"));
    EXPECT_EQ(SubkeyNames(Services + "\\Mux"), (std::vector<std::string>{"Radio One", "Traffic"}));
    EXPECT_EQ(ValueNames(Services + "\\Mux\\Radio One"), (std::vector<std::string>{"ServiceHandle"}));
    EXPECT_EQ(ReadValue(Services + "\\Mux\\Radio One", "ServiceHandle"), StringValue("11"));
    EXPECT_EQ(ReadValue(Services + "\\Mux\\Traffic", "ServiceHandle"), StringValue("12"));
}

TEST_F(ServiceCensusTest, ExportingAgainAddsAndOverwritesButNeverRemoves)
{
    fake->services = {{11, 1, L"Radio One"}, {12, 2, L"Traffic"}};
    Export("218.640");
    fake->services = {{21, 1, L"Radio One"}, {22, 1, L"Jazz"}};
    Export("225.648");
    fake->multiplexLabel = L"Other";
    fake->services = {{31, 1, L"News"}};
    Export("174.928");

    EXPECT_EQ(SubkeyNames(Services), (std::vector<std::string>{"Mux", "Other"}));
    EXPECT_EQ(ReadValue(Services + "\\Mux", ""), StringValue("225.648"));
    EXPECT_EQ(SubkeyNames(Services + "\\Mux"), (std::vector<std::string>{"Jazz", "Radio One", "Traffic"}));
    EXPECT_EQ(ReadValue(Services + "\\Mux\\Radio One", "ServiceHandle"), StringValue("21"));
    EXPECT_EQ(ReadValue(Services + "\\Mux\\Traffic", "ServiceHandle"), StringValue("12"));
    EXPECT_EQ(ReadValue(Services + "\\Other\\News", "ServiceHandle"), StringValue("31"));
}

TEST_F(ServiceCensusTest, EveryHandleCountsAndIsExportedAsSignedDecimalAFirstHandleOfZeroIncluded)
{
    struct Case { std::vector<FakeService> services; std::int32_t audio; std::int32_t data; };
    const Case cases[] = {
        {{{0, 1, L"Zero"}}, 1, 0},
        {{{0, 2, L"Zero"}, {7, 1, L"Seven"}}, 1, 1},
        {{{-5, 2, L"Minus"}, {std::numeric_limits<LONG>::min(), 2, L"Min"}, {std::numeric_limits<LONG>::max(), 1, L"Max"}}, 1, 2},
    };
    for (const Case& c : cases) {
        fake->services = c.services;
        for (const ServiceCounts& counts : {Census(), Export()}) {
            EXPECT_EQ(counts.audio, c.audio) << c.services.size() << " services";
            EXPECT_EQ(counts.data, c.data) << c.services.size() << " services";
        }
        for (const FakeService& service : c.services)
            EXPECT_EQ(ReadValue(Services + "\\Mux\\" + Ansi(service.label), "ServiceHandle"), StringValue(std::to_string(service.handle)));
    }
}

TEST_F(ServiceCensusTest, LabelsNameKeysCutAtANulAndTrimmedOnTheRight)
{
    struct Case {
        const char* what;
        std::wstring multiplex;
        std::vector<std::wstring> services;
        // Key paths below the services key, as written, and the handle each one ends up with.
        std::wstring multiplexKey;
        std::vector<std::pair<std::wstring, int>> serviceKeys;
    };
    const Case cases[] = {
        {"plain", L"BBC National", {L"Radio 4"}, L"BBC National", {{L"BBC National\\Radio 4", 1}}},
        {"trailing blanks and control characters", L"Mux \t\r\n", {L"Radio\x01 \x1F"}, L"Mux", {{L"Mux\\Radio", 1}}},
        {"a backslash adds a level", L"Mux", {L"Jazz\\Late"}, L"Mux", {{L"Mux\\Jazz\\Late", 1}}},
        {"two labels trimmed alike share a key, the later handle wins", L"Mux", {L"Radio", L"Radio  "}, L"Mux", {{L"Mux\\Radio", 2}}},
        {"characters outside the code page", L"Mux", {L"Caf\u00E9 \u4E2D\u6587"}, L"Mux", {{L"Mux\\Caf\u00E9 \u4E2D\u6587", 1}}},
        // Uncut, the multiplex label would end every service path at the multiplex key.
        {"a NUL in the multiplex label", L"Mux\0Tail "s, {L"Radio"}, L"Mux", {{L"Mux\\Radio", 1}}},
        {"a NUL in a service label", L"Mux", {L"Radio \0\\Other"s}, L"Mux", {{L"Mux\\Radio", 1}}},
        {"an all-blank service label ends the path in a backslash", L"Mux", {L"  "}, L"Mux", {{L"Mux\\", 1}}},
        {"an empty multiplex label leaves an empty component", L"", {L"Radio"}, L"", {{L"\\Radio", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake->multiplexLabel = c.multiplex;
        fake->services.clear();
        for (const std::wstring& label : c.services)
            fake->services.push_back({static_cast<LONG>(fake->services.size() + 1), 1, label});

        ASSERT_EQ(Export("174.928").total(), static_cast<std::int32_t>(c.services.size()));
        // Read back through the paths as built: where an empty component leads is the registry's affair.
        EXPECT_EQ(ReadValue(Services + "\\" + Ansi(c.multiplexKey), ""), StringValue("174.928"));
        for (const auto& [key, handle] : c.serviceKeys)
            EXPECT_EQ(ReadValue(Services + "\\" + Ansi(key), "ServiceHandle"), StringValue(std::to_string(handle))) << Ansi(key);
        DeleteKeyTree(Services);
    }
}

TEST_F(ServiceCensusTest, AReceiverFailureEndsTheExportThereKeepingWhatIsWrittenAndClosingTheKey)
{
    struct Case {
        const char* operation;
        int onCall;
        bool multiplexKey;
        std::vector<std::string> serviceKeys;
    };
    const Case cases[] = {
        {"GetMultiplex", 1, false, {}},
        {"GetLabel", 1, false, {}},
        {"GetFirstService", 1, true, {}},
        {"IsAudioKind", 2, true, {"A"}},
        {"GetLabel", 5, true, {"A"}},               // the second service's label
        {"GetNextService", 1, true, {"A"}},         // while the first service's key is open
        {"GetNextService", 2, true, {"A", "B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.operation) + " call " + std::to_string(c.onCall));
        DeleteKeyTree(Services);
        Script({{1, 1, L"A"}, {2, 2, L"B"}, {3, 1, L"C"}});
        fake->faults[c.operation] = FakeFault{E_FAIL, FakeErrorInfo{L"Rx", L"Receiver lost.", L"", 0}, c.onCall, false};

        const int handlesBefore = OpenHandleCount();
        EXPECT_EQ(ErrorOf<EOleException>([&] { Export(); }), "Receiver lost");
        EXPECT_EQ(OpenHandleCount(), handlesBefore);
        EXPECT_EQ(fake->CallCount(c.operation), c.onCall) << "nothing is asked after the failure";
        EXPECT_EQ(fake->calls.back().rfind(c.operation, 0), 0u) << fake->calls.back();
        EXPECT_EQ(KeyExists(Services + "\\Mux"), c.multiplexKey);
        EXPECT_EQ(SubkeyNames(Services + "\\Mux"), c.serviceKeys);
    }
}

TEST_F(ServiceCensusTest, AKeyThatCannotBeCreatedStopsTheExportAtTheWriteThatFollows)
{
    // A key name of more than 255 characters is refused.
    const std::wstring tooLong(300, L'x');

    Script({{1, 1, L"A"}});
    fake->multiplexLabel = tooLong;
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { Export(); }), "Failed to set data for ''");
    EXPECT_EQ(fake->calls, (std::vector<std::string>{"GetMultiplex", "GetLabel(100)"}));

    Script({{1, 1, L"A"}, {2, 1, tooLong}, {3, 1, L"C"}});
    const int handlesBefore = OpenHandleCount();
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { Export(); }), "Failed to set data for 'ServiceHandle'");
    EXPECT_EQ(OpenHandleCount(), handlesBefore);
    EXPECT_EQ(fake->calls.back(), "GetLabel(2)");
    EXPECT_EQ(SubkeyNames(Services + "\\Mux"), (std::vector<std::string>{"A"}));
}

TEST_F(ServiceCensusTest, AWalkOf65536ServicesCompletesAndALongerOneStopsWithoutAskingFurther)
{
    // Equal handles keep the fake's lookups short; the walk never looks at them.
    Script(std::vector<FakeService>(MaxServices, FakeService{7, 2, L"Same"}));
    const ServiceCounts counts = Census();
    EXPECT_EQ(counts.data, MaxServices);
    EXPECT_EQ(counts.total(), MaxServices);
    EXPECT_EQ(fake->CallCount("GetNextService"), MaxServices);

    Script({{1, 1, L"A"}, {2, 2, L"B"}});
    fake->endlessServices = true;
    EXPECT_EQ(ErrorOf<ETooManyServices>([&] { Census(); }), "The receiver lists more than 65536 services");
    EXPECT_EQ(fake->CallCount("GetServiceKind"), MaxServices);
    EXPECT_EQ(fake->CallCount("GetNextService"), MaxServices);
}

TEST_F(ServiceCensusTest, AnEndlessExportStopsWithAnErrorHavingWrittenOnlyTheKeysListed)
{
    Script({{1, 1, L"A"}, {2, 2, L"B"}});
    fake->endlessServices = true;
    const int handlesBefore = OpenHandleCount();
    EXPECT_EQ(ErrorOf<std::runtime_error>([&] { Export(); }), "The receiver lists more than 65536 services");
    EXPECT_EQ(OpenHandleCount(), handlesBefore);
    EXPECT_EQ(fake->CallCount("GetLabel"), 1 + 2 * MaxServices);
    EXPECT_EQ(SubkeyNames(Services + "\\Mux"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ReadValue(Services + "\\Mux\\B", "ServiceHandle"), StringValue("2"));
}
