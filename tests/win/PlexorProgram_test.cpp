// The real program against the stand-in receiver, driven from outside as a user drives it:
// mouse clicks and key strokes through the system's input queue, and what the window shows read
// back from another process. It connects, tunes to a typed frequency, waits for the lock,
// exports, closes, and then the registry and the receiver's call log are checked.
#include "ScratchRegistry.h"
#include "SimRxDll.h"
#include "SimRxFixture.h"
#include "RunningProgram.h"
#include "StandInRegistration.h"
#include "tests/probe/RemoteWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {
const char Frequency[] = "174.928";  // no preset starts with "1", so the box takes it as typed
const std::string Services = "Software\\Kelmoor\\Orvane\\Services";
const std::string Multiplex = Services + "\\Plexor End To End";
const char Scenario[] =
    "multiplex 174.928 0x1001 \"Plexor End To End\"\n"
    "acquire\n"  // locks on the first poll
    "service 0xC221 audio \"Radio One\"\n"
    "service -5 data \"Traffic\"\n";

// Tool-bar buttons by position: Connect, Disconnect, the room for the box, Tune, a separator, Export.
constexpr int ConnectButton = 0;
constexpr int TuneButton = 3;
constexpr int ExportButton = 5;

// Generous: the machine may be busy with other builds.
constexpr DWORD PatienceMs = 20000;

bool WaitFor(const std::function<bool()>& condition)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= PatienceMs)
            return false;
        Sleep(50);
    }
    return true;
}



// The server registered for the receiver's class, if any.
// Removes, when it goes, the keys of the export that were not there before it came: the
// highest missing key of the multiplex path with everything below it. A multiplex key left by
// an earlier run that broke off is removed first.
class ExportKeysCleanup {
public:
    ExportKeysCleanup()
    {
        DeleteKeyTree(Multiplex);
        for (std::size_t end = 0; end != std::string::npos;) {
            end = Multiplex.find('\\', end + 1);
            const std::string key = Multiplex.substr(0, end);
            if (!KeyExists(key)) {
                highestCreated_ = key;
                break;
            }
        }
    }
    ~ExportKeysCleanup()
    {
        if (!highestCreated_.empty())
            DeleteKeyTree(highestCreated_);
    }
    ExportKeysCleanup(const ExportKeysCleanup&) = delete;
    ExportKeysCleanup& operator=(const ExportKeysCleanup&) = delete;

private:
    std::string highestCreated_;
};

void PressKey(WORD virtualKey)
{
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = virtualKey;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
}

void Type(const std::string& text)
{
    for (char character : text) {
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_KEYBOARD;
        press[0].ki.wScan = press[1].ki.wScan = static_cast<unsigned char>(character);
        press[0].ki.dwFlags = KEYEVENTF_UNICODE;
        press[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, press, sizeof(INPUT));
    }
}

// The label under "Multiplex Label": the multiplex now received.
std::string MultiplexShown(HWND window)
{
    const std::vector<HWND> labels = remote::Descendants(window, "Static");
    const auto heading = std::find_if(labels.begin(), labels.end(), [](HWND l) { return remote::TextOf(l) == "Multiplex Label"; });
    if (heading == labels.end())
        return {};
    RECT headingBounds;
    GetWindowRect(*heading, &headingBounds);
    // The nearest label below it that starts at the same column.
    std::optional<std::pair<LONG, HWND>> below;
    for (HWND label : labels) {
        RECT bounds;
        GetWindowRect(label, &bounds);
        if (bounds.left == headingBounds.left && bounds.top > headingBounds.top && (!below || bounds.top < below->first))
            below = std::make_pair(bounds.top, label);
    }
    return below ? remote::TextOf(below->second) : std::string();
}

// The signal line under the graph.
std::string SignalShown(HWND window)
{
    for (HWND label : remote::Descendants(window, "Static"))
        if (const std::string text = remote::TextOf(label); text.rfind("Current Signal:", 0) == 0)
            return text;
    return {};
}

std::string ComboText(HWND window) { return remote::TextOf(remote::Descendant(window, "ComboBox")); }

// "GetLabel(4097)" of the log line "GetLabel(4097) -> 0x00000000 "Mux"".
std::vector<std::string> CallsOf(const std::vector<std::string>& log)
{
    std::vector<std::string> calls;
    for (const std::string& line : log)
        calls.push_back(line.substr(0, line.find(" ->")));
    return calls;
}
}  // namespace

TEST(PlexorProgram, ConnectTuneLockExportAndCloseWriteTheMultiplexAndItsServices)
{
    const StandInRegistration registration;
    if (!registration.ours())
        GTEST_SKIP() << "another receiver component is registered in this Wine prefix";
    const TempFile scenario(Scenario);
    const TempFile logFile;
    const ScopedEnvironment scenarioVariable(L"SIMRX_SCENARIO", scenario.path().c_str());
    const ScopedEnvironment logVariable(L"SIMRX_LOG", logFile.path().c_str());
    const ExportKeysCleanup cleanup;

    const RunningProgram program;
    ASSERT_TRUE(program.started());
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = program.window()) && IsWindowVisible(window); })) << "the window did not show";

    ClickAt(remote::ToolButtonCentre(window, ConnectButton));
    ASSERT_TRUE(WaitFor([&] { return remote::ToolButtonEnabled(window, TuneButton); })) << "not connected";
    EXPECT_EQ(remote::TextOf(remote::Descendant(window, STATUSCLASSNAMEA)), "Ready");
    EXPECT_FALSE(remote::ToolButtonEnabled(window, ExportButton));

    ClickAt(remote::ComboCentre(window));
    Type(Frequency);
    ASSERT_TRUE(WaitFor([&] { return ComboText(window) == Frequency; })) << "the box shows \"" << ComboText(window) << '"';
    PressKey(VK_RETURN);

    ASSERT_TRUE(WaitFor([&] { return MultiplexShown(window) == "Plexor End To End" && remote::ToolButtonEnabled(window, ExportButton); }))
        << "no lock: the multiplex shows \"" << MultiplexShown(window) << "\", the signal line \"" << SignalShown(window) << '"';
    EXPECT_EQ(SignalShown(window), "Current Signal: 80%");  // the stand-in's signal error figure is 0.02

    ClickAt(remote::ToolButtonCentre(window, ExportButton));
    // The last value of the export: the window is closed only once the export is over.
    ASSERT_TRUE(WaitFor([&] { return ReadValue(Multiplex + "\\Traffic", "ServiceHandle").has_value(); })) << "nothing exported";

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // as the close box of the title bar does
    ASSERT_TRUE(WaitFor([&] { return program.exitCode().has_value(); })) << "the program did not end";
    EXPECT_EQ(program.exitCode(), 0u);

    EXPECT_EQ(ReadValue(Multiplex, ""), StringValue(Frequency));
    EXPECT_EQ(SubkeyNames(Multiplex), (std::vector<std::string>{"Radio One", "Traffic"}));
    EXPECT_EQ(ValueNames(Multiplex + "\\Radio One"), std::vector<std::string>{"ServiceHandle"});
    EXPECT_EQ(ReadValue(Multiplex + "\\Radio One", "ServiceHandle"), StringValue("49697"));
    EXPECT_EQ(ReadValue(Multiplex + "\\Traffic", "ServiceHandle"), StringValue("-5"));

    // The export as the receiver saw it, in one run: the multiplex key first, then per service
    // its kind, the multiplex and both labels, and only then the next service, until 0 ends it.
    const std::vector<std::string> log = logFile.lines();
    const std::vector<std::string> calls = CallsOf(log);
    const std::vector<std::string> exportRun{
        "GetMultiplex()", "GetLabel(4097)", "GetFirstService()",
        "GetServiceKind(49697)", "IsAudioKind(63)", "GetMultiplex()", "GetLabel(4097)", "GetLabel(49697)", "GetNextService()",
        "GetServiceKind(-5)", "IsAudioKind(60)", "GetMultiplex()", "GetLabel(4097)", "GetLabel(-5)", "GetNextService()"};
    const auto found = std::search(calls.begin(), calls.end(), exportRun.begin(), exportRun.end());
    ASSERT_NE(found, calls.end()) << testing::PrintToString(calls);
    std::string lastOfExport = log[static_cast<std::size_t>(found - calls.begin()) + exportRun.size() - 1];
    lastOfExport.erase(lastOfExport.find_last_not_of('\r') + 1);
    EXPECT_EQ(lastOfExport, "GetNextService() -> 0x00000000 0");
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "Create()");
    EXPECT_EQ(calls.back(), "Destroy()") << "the receiver is let go at exit";
}

TEST(PlexorProgram, ReceiverThatCannotBeMadeShowsOneStopBoxCaptionedWithTheProgramsTitle)
{
    const StandInRegistration registration;
    if (!registration.ours())
        GTEST_SKIP() << "another receiver component is registered in this Wine prefix";
    const TempFile scenario("fail Create every 0x80041234\n");
    const ScopedEnvironment scenarioVariable(L"SIMRX_SCENARIO", scenario.path().c_str());

    const RunningProgram program;
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = program.window()) && IsWindowVisible(window); })) << "the window did not show";
    ClickAt(remote::ToolButtonCentre(window, ConnectButton));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = VisibleWindowOfClass(program.processId(), "#32770")) != nullptr; })) << "no error box";

    EXPECT_EQ(remote::TextOf(box), "Plexor");
    EXPECT_EQ(GetWindow(box, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    std::vector<std::string> texts;
    for (HWND label : remote::Descendants(box, "Static"))
        texts.push_back(remote::TextOf(label));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "OLE error 80041234."), texts.end());
    const std::vector<HWND> buttons = remote::Descendants(box, "Button");
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(remote::TextOf(buttons[0]), "OK");

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(window) && remote::ToolButtonEnabled(window, ConnectButton); }))
        << "Connect is not offered again after OK";
    EXPECT_EQ(remote::TextOf(remote::Descendant(window, STATUSCLASSNAMEA)), "Ready");
}
