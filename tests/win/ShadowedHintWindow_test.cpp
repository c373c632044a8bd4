#include "controls/ShadowedHintWindow.h"

#include "ui/GdiOwners.h"
#include "ui/HintWindowClass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {
struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

const char probeName[] = "shadow_probe.exe";

// Makes Wine show the probe another system version, for as long as it lives.
class FakedProbeVersion {
public:
    explicit FakedProbeVersion(const char* version)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
            return;
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), std::strlen(version) + 1);
        RegCloseKey(key);
    }
    FakedProbeVersion(const FakedProbeVersion&) = delete;
    FakedProbeVersion& operator=(const FakedProbeVersion&) = delete;
    ~FakedProbeVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, keyPath().c_str()); }

private:
    static std::string keyPath() { return std::string("Software\\Wine\\AppDefaults\\") + probeName; }
};

// Runs the probe next to this test program and gives back what it printed.
std::string RunProbe()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string command = path;
    command.replace(command.find_last_of("\\/") + 1, std::string::npos, probeName);

    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0))
        return "no pipe";
    Handle output(readEnd);
    Handle probeOutput(writeEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return "cannot start " + command;
    Handle probe(process.hProcess);
    Handle probeThread(process.hThread);
    probeOutput.reset();  // the probe's end only, so reading stops when it exits

    std::string printed;
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        printed.append(buffer, read);
    WaitForSingleObject(process.hProcess, 10000);
    return printed;
}

std::string ClassNameOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
}  // namespace

TEST(ShadowedHintWindow, ShadowOnXpAndLaterButNotOnWindows2000)
{
    const struct {
        const char* version;  // as Wine names it; none leaves Wine's default (Windows 7)
        const char* seen;
        bool shadow;
    } cases[] = {
        {"win2k", "2 5.0 ", false},
        {"winxp", "2 5.1 ", true},
        {nullptr, "2 6.1 ", true},
    };
    for (const auto& c : cases) {
        std::string printed;
        if (c.version) {
            FakedProbeVersion faked(c.version);
            printed = RunProbe();
        } else {
            printed = RunProbe();
        }
        SCOPED_TRACE(printed);
        ASSERT_EQ(printed.rfind(c.seen, 0), 0u) << "the probe did not see the system it was meant to";
        const unsigned long classStyle = std::stoul(printed.substr(std::strlen(c.seen)), nullptr, 16);
        EXPECT_EQ((classStyle & CS_DROPSHADOW) != 0, c.shadow);
        EXPECT_TRUE(classStyle & CS_SAVEBITS);
    }
}

TEST(ShadowedHintWindow, CreatedWithTheHintWindowParametersUnderItsOwnClass)
{
    // Wine tells this program it runs on Windows 7: a shadow is asked for.
    const struct {
        std::unique_ptr<THintWindow> window;
        const char* className;
        DWORD classStyle;
        bool rightToLeft;
    } cases[] = {
        {std::make_unique<THintWindow>(), "THintWindow", CS_SAVEBITS, false},
        {std::make_unique<TShadowedHintWindow>(), "TShadowedHintWindow", CS_SAVEBITS | CS_DROPSHADOW, false},
        {std::make_unique<TShadowedHintWindow>(), "TShadowedHintWindow", CS_SAVEBITS | CS_DROPSHADOW, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.className) + (c.rightToLeft ? ", right to left" : ""));
        c.window->SetRightToLeft(c.rightToLeft);
        c.window->CreateHandle(nullptr);
        HWND window = c.window->Handle();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(ClassNameOf(window), c.className);
        EXPECT_EQ(GetClassLongA(window, GCL_STYLE), c.classStyle);
        const DWORD style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_BORDER | WS_CHILD | WS_CAPTION), DWORD{WS_POPUP | WS_BORDER});
        const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
        EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
        EXPECT_EQ((exStyle & WS_EX_RTLREADING) != 0, c.rightToLeft);
        EXPECT_FALSE(IsWindowVisible(window));
    }
}

TEST(ShadowedHintWindow, IsTheApplicationsHintWindowFromProgramStart)
{
    // Installed by the module's initialisation: nothing in this test program installs it otherwise.
    std::unique_ptr<THintWindow> hint = HintWindowClass()();
    hint->CreateHandle(nullptr);
    EXPECT_EQ(ClassNameOf(hint->Handle()), "TShadowedHintWindow");
}

TEST(ShadowedHintWindow, NeverTakesActivationAndLetsThePointerThrough)
{
    TShadowedHintWindow hint;
    hint.CreateHandle(nullptr);
    hint.ActivateHint({200, 200, 260, 220}, "Connect");
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));
    EXPECT_NE(GetActiveWindow(), hint.Handle());
    EXPECT_TRUE(GetWindowLongA(hint.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(SendMessageA(hint.Handle(), WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    EXPECT_EQ(SendMessageA(hint.Handle(), WM_NCHITTEST, 0, MAKELPARAM(210, 210)), HTTRANSPARENT);
    hint.ReleaseHint();
    EXPECT_FALSE(IsWindowVisible(hint.Handle()));
}

TEST(ShadowedHintWindow, SizedToItsTextInTheStatusFont)
{
    TShadowedHintWindow hint;
    hint.CreateHandle(nullptr);
    const std::string shortText = "Connect";
    const std::string longText = "Tune To (and Get Info on) Frequency";
    const SIZE shortSize = hint.CalcHintSize(1024, shortText);
    const SIZE longSize = hint.CalcHintSize(1024, longText);
    EXPECT_GT(longSize.cx, shortSize.cx);
    EXPECT_EQ(longSize.cy, shortSize.cy) << "one line each";

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const GdiObject<HFONT> statusFont(CreateFontIndirectA(&metrics.lfStatusFont));
    const WindowDc screen(nullptr);
    HGDIOBJ previous = SelectObject(screen.get(), statusFont.get());
    SIZE text{};
    GetTextExtentPoint32A(screen.get(), longText.c_str(), static_cast<int>(longText.size()), &text);
    SelectObject(screen.get(), previous);
    // The text, a margin of two pixels on each side and the one-pixel border.
    EXPECT_EQ(longSize.cx, text.cx + 6);
    EXPECT_EQ(longSize.cy, text.cy + 6);

    const SIZE wrapped = hint.CalcHintSize(text.cx / 2, longText);
    EXPECT_GT(wrapped.cy, longSize.cy) << "a narrow hint wraps its text";
}
