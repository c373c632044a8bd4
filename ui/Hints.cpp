#include "ui/Hints.h"

#include "ui/ErrorDisplay.h"
#include "ui/GdiOwners.h"
#include "ui/HintPlacement.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>
#include <vector>

namespace {
// The controller of this program; the hook and the timer callback find it here.
HintController* activeController = nullptr;

// How far the cursor reaches below the pointer's hot spot: its lowest drawn line, from the
// cursor's masks. A hint placed that far down sits just under the cursor, as tool tips do.
int CursorHeightBelowHotSpot()
{
    const int fallback = GetSystemMetrics(SM_CYCURSOR);
    ICONINFO info{};
    HCURSOR cursor = GetCursor();
    if (!cursor || !GetIconInfo(cursor, &info))
        return fallback;
    const GdiObject<HBITMAP> mask(info.hbmMask);
    const GdiObject<HBITMAP> colour(info.hbmColor);
    BITMAP maskBitmap{};
    if (!GetObjectA(info.hbmMask, sizeof maskBitmap, &maskBitmap) || maskBitmap.bmWidth <= 0)
        return fallback;
    // A monochrome cursor keeps its AND mask above its XOR mask in one bitmap.
    const int width = maskBitmap.bmWidth;
    const int height = info.hbmColor ? maskBitmap.bmHeight : maskBitmap.bmHeight / 2;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } format{};
    format.header.biSize = sizeof format.header;
    format.header.biWidth = width;
    format.header.biHeight = -maskBitmap.bmHeight;  // top row first
    format.header.biPlanes = 1;
    format.header.biBitCount = 1;
    const int stride = (width + 31) / 32 * 4;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * maskBitmap.bmHeight);
    const WindowDc screen(nullptr);
    const int rows = GetDIBits(screen.get(), info.hbmMask, 0, maskBitmap.bmHeight, bits.data(),
                               reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS);
    if (rows != maskBitmap.bmHeight)
        return fallback;
    auto bit = [&](int row, int column) { return (bits[row * stride + column / 8] >> (7 - column % 8)) & 1; };
    for (int row = height - 1; row >= 0; --row)
        for (int column = 0; column < width; ++column)
            if (!bit(row, column) || (!info.hbmColor && bit(row + height, column)))
                return row + 1 - static_cast<int>(info.yHotspot);
    return fallback;
}

ScreenRect MonitorArea(POINT at)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor))
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right, monitor.rcMonitor.bottom};
}

bool CancelsHint(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_NCMOUSEMOVE:
        return true;
    default:
        return false;
    }
}
}  // namespace

HintSource ToolbarHints(std::vector<std::pair<int, std::string>> hintsByCommand)
{
    return [hints = std::move(hintsByCommand)](HWND toolbar, POINT client) -> std::string {
        // The hit test is geometric: disabled buttons are found too, hidden ones are not.
        const auto index = static_cast<int>(SendMessageA(toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
        TBBUTTON button{};
        if (index < 0 || !SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)) ||
            (button.fsStyle & TBSTYLE_SEP))
            return {};
        for (const auto& [command, text] : hints)
            if (command == button.idCommand)
                return text;
        return {};
    };
}

void HintController::Timer::Start(UINT ms, TIMERPROC expired)
{
    Stop();
    id_ = SetTimer(nullptr, 0, ms, expired);
    if (!id_)
        throw std::runtime_error("Out of system timers");
}

void HintController::Timer::Stop() noexcept
{
    if (id_)
        KillTimer(nullptr, id_);
    id_ = 0;
}

HintController::HintController(HWND owner) : owner_(owner)
{
    if (activeController)
        throw std::logic_error("The program has one hint controller");
    hook_.reset(SetWindowsHookExA(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId()));
    if (!hook_)
        throw std::runtime_error("Hints cannot watch the pointer (system error " + std::to_string(GetLastError()) + ")");
    activeController = this;
}

HintController::~HintController()
{
    activeController = nullptr;
}

void HintController::AddTool(HWND window, HintSource source)
{
    tools_.push_back({window, std::move(source)});
}

HWND HintController::HintWindowHandle() const noexcept
{
    return hintWindow_ ? hintWindow_->Handle() : nullptr;
}

LRESULT CALLBACK HintController::MessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    // Each message once: when it is taken from the queue, not when it is only looked at.
    if (code == HC_ACTION && wParam == PM_REMOVE && activeController) {
        try {
            activeController->OnMessage(*reinterpret_cast<const MSG*>(lParam));
        } catch (...) {
            HandleCallbackException();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK HintController::TimerExpired(HWND, UINT, UINT_PTR id, DWORD)
{
    try {
        if (activeController && activeController->timer_.Is(id))
            activeController->OnTimer();
    } catch (...) {
        HandleCallbackException();
    }
}

void HintController::OnMessage(const MSG& message)
{
    if (message.message == WM_MOUSEMOVE)
        OnPointer(message.hwnd, {GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)});
    else if (message.message == WM_MOUSELEAVE && message.hwnd == hintTool_)
        Cancel();
    else if (CancelsHint(message.message))
        Cancel();
}

void HintController::OnPointer(HWND window, POINT client)
{
    std::string text;
    for (const Tool& tool : tools_)
        if (tool.window == window)
            text = tool.source(window, client);
    if (text.empty()) {
        Cancel();
        return;
    }
    POINT screen = client;
    ClientToScreen(window, &screen);
    if (state_ != State::Idle && window == hintTool_ && text == hintText_) {
        hintPointer_ = screen;  // the same part: the wait goes on
        return;
    }
    Cancel();
    hintTool_ = window;
    hintText_ = std::move(text);
    hintPointer_ = screen;
    // The pointer may leave for a window of another program, which tells us nothing.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
    TrackMouseEvent(&leave);
    timer_.Start(HintPause, TimerExpired);
    state_ = State::Waiting;
}

void HintController::OnTimer()
{
    const bool due = state_ == State::Waiting && IsWindowVisible(hintTool_);
    // Either wait is over. A hint shown long enough, or one that failed to show, comes back
    // only after the pointer has been elsewhere.
    timer_.Stop();
    if (hintWindow_)
        hintWindow_->ReleaseHint();
    state_ = State::Expired;
    if (!due)
        return;
    ShowHint();
    timer_.Start(HintHidePause, TimerExpired);
    state_ = State::Showing;
}

void HintController::ShowHint()
{
    // A window of another kind than the application now asks for is replaced before it is used.
    const HintWindowFactory kind = HintWindowClass();
    if (!hintWindow_ || hintWindowKind_ != kind || !hintWindow_->HandleAllocated()) {
        hintWindow_.reset();
        hintWindow_ = kind();
        hintWindowKind_ = kind;
        hintWindow_->CreateHandle(IsWindow(owner_) ? owner_ : nullptr);
    }
    const ScreenRect screen = MonitorArea(hintPointer_);
    const SIZE size = hintWindow_->CalcHintSize(screen.right - screen.left, hintText_);
    const ScreenRect place =
        PlaceHint({hintPointer_.x, hintPointer_.y}, size.cx, size.cy, CursorHeightBelowHotSpot(), screen);
    hintWindow_->ActivateHint({place.left, place.top, place.right, place.bottom}, hintText_);
}

void HintController::Cancel() noexcept
{
    timer_.Stop();
    if (hintWindow_)
        hintWindow_->ReleaseHint();
    state_ = State::Idle;
    hintTool_ = nullptr;
    hintText_.clear();
}
