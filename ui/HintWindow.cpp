#include "ui/HintWindow.h"

#include "ui/ErrorDisplay.h"
#include "ui/GdiOwners.h"
#include "ui/WindowObject.h"

#include <stdexcept>

namespace {
// Room between the text and the border, on every side.
const int textMargin = 2;

// The font the system uses for status bars and tool tips.
HFONT CreateHintFont()
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    return CreateFontIndirectA(&metrics.lfStatusFont);
}

void RegisterClassOnce(const WindowCreateParams& params, WNDPROC windowProc)
{
    WNDCLASSA existing{};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, params.className.c_str(), &existing))
        return;
    WNDCLASSA windowClass{};
    windowClass.style = params.classStyle;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    windowClass.lpszClassName = params.className.c_str();
    if (!RegisterClassA(&windowClass))
        throw std::runtime_error("The window class " + params.className + " cannot be registered");
}

}  // namespace

THintWindow::~THintWindow()
{
    if (window_)
        DestroyWindow(window_);
}

void THintWindow::CreateParams(WindowCreateParams& params) const
{
    params.className = "THintWindow";
    params.style = WS_POPUP | WS_BORDER;
    params.classStyle = CS_SAVEBITS;
    params.exStyle = WS_EX_TOOLWINDOW;  // on top only while it shows a hint
    if (rightToLeft_)
        params.exStyle |= WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
}

void THintWindow::CreateHandle(HWND owner)
{
    if (window_)
        return;
    WindowCreateParams params;
    CreateParams(params);
    RegisterClassOnce(params, WindowProc);
    font_.reset(CreateHintFont());
    if (!CreateWindowExA(params.exStyle, params.className.c_str(), "", params.style, 0, 0, 0, 0, owner, nullptr,
                         GetModuleHandleA(nullptr), this))
        throw std::runtime_error("Error creating the hint window (system error " + std::to_string(GetLastError()) + ")");
}

UINT THintWindow::TextFormat() const noexcept
{
    return DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | (rightToLeft_ ? DT_RTLREADING : 0);
}

SIZE THintWindow::CalcHintSize(int maxWidth, const std::string& text) const
{
    RECT bounds{0, 0, maxWidth, 0};
    {
        WindowDc dc(window_);
        HGDIOBJ previousFont = font_ ? SelectObject(dc.get(), font_.get()) : nullptr;
        DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &bounds, TextFormat() | DT_CALCRECT);
        if (previousFont)
            SelectObject(dc.get(), previousFont);
    }
    InflateRect(&bounds, textMargin, textMargin);
    AdjustWindowRectEx(&bounds, GetWindowLongA(window_, GWL_STYLE), FALSE, GetWindowLongA(window_, GWL_EXSTYLE));
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void THintWindow::ActivateHint(const RECT& screenRect, const std::string& text)
{
    SetWindowTextA(window_, text.c_str());
    SetWindowPos(window_, HWND_TOPMOST, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                 screenRect.bottom - screenRect.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, TRUE);
    UpdateWindow(window_);
}

void THintWindow::ReleaseHint() noexcept
{
    if (window_)
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void THintWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    std::string text(GetWindowTextLengthA(window_) + 1, '\0');
    text.resize(GetWindowTextA(window_, text.data(), static_cast<int>(text.size())));
    RECT client{};
    GetClientRect(window_, &client);
    InflateRect(&client, -textMargin, -textMargin);
    HGDIOBJ previousFont = font_ ? SelectObject(dc, font_.get()) : nullptr;
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, TextFormat());
    if (previousFont)
        SelectObject(dc, previousFont);
    EndPaint(window_, &paint);
}

LRESULT CALLBACK THintWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        auto* hint = WindowObject<THintWindow>(window, message, lParam);
        switch (message) {
        case WM_NCCREATE:
            if (hint)
                hint->window_ = window;
            break;
        case WM_NCDESTROY:
            if (hint)
                hint->window_ = nullptr;
            break;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_PAINT:
            if (hint) {
                hint->Paint();
                return 0;
            }
            break;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}
