#include "controls/FrameBox.h"

#include "ui/ErrorDisplay.h"

#include <uxtheme.h>

#include <stdexcept>

namespace {
const char frameBoxClassName[] = "TFrameBox";

// The system button class that the box's class is derived from, as registered for this process.
struct FrameBoxClass {
    WNDPROC buttonProc;
    int objectOffset;  // where each window keeps its TFrameBox, after the button's own bytes
};

FrameBoxClass RegisterFrameBoxClass(WNDPROC frameBoxProc)
{
    WNDCLASSA button{};
    if (!GetClassInfoA(nullptr, "BUTTON", &button))
        throw std::runtime_error("The system class BUTTON is not available");
    FrameBoxClass registered{button.lpfnWndProc, button.cbWndExtra};

    WNDCLASSA frameBox = button;
    frameBox.lpfnWndProc = frameBoxProc;
    frameBox.hInstance = GetModuleHandleA(nullptr);
    frameBox.lpszClassName = frameBoxClassName;
    frameBox.lpszMenuName = nullptr;
    frameBox.cbWndExtra = button.cbWndExtra + static_cast<int>(sizeof(LONG_PTR));
    frameBox.style = (button.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS)) | CS_HREDRAW | CS_VREDRAW;
    // The group box paints with its parent's clipping, as the system button does.
    frameBox.style |= CS_PARENTDC;
    if (!RegisterClassA(&frameBox))
        throw std::runtime_error("The window class TFrameBox cannot be registered");
    return registered;
}

// The box has no background of its own: with visual styles it shows its parent's face,
// otherwise the brush its parent gives static controls.
void PaintParentBackground(HWND window, HDC dc)
{
    if (GetWindowTheme(window)) {
        DrawThemeParentBackground(window, dc, nullptr);
        return;
    }
    HWND parent = GetParent(window);
    auto brush = parent ? reinterpret_cast<HBRUSH>(SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                                reinterpret_cast<LPARAM>(window)))
                        : nullptr;
    RECT client{};
    GetClientRect(window, &client);
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
}

// The system button would capture the mouse on a press and report press and release as a click.
bool IsLeftButtonMessage(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_LBUTTONDBLCLK;
}

bool IsChildNotification(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return true;
    default:
        return false;
    }
}

void SetStyleBit(HWND window, LONG bit, bool on)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    style = on ? (style | bit) : (style & ~bit);
    SetWindowLongA(window, GWL_STYLE, style);
}
}  // namespace

// The class is registered once, when the first box is created.
static const FrameBoxClass& RegisteredFrameBoxClass(WNDPROC frameBoxProc)
{
    static const FrameBoxClass registered = RegisterFrameBoxClass(frameBoxProc);
    return registered;
}

TFrameBox::~TFrameBox()
{
    if (window_)
        DestroyWindow(window_);
}

HWND TFrameBox::Handle()
{
    if (!window_)
        CreateHandle();
    return window_;
}

void TFrameBox::CreateHandle()
{
    if (!parent_)
        throw std::runtime_error("Control '" + name_ + "' has no parent window");
    RegisteredFrameBoxClass(WindowProc);
    // Never a tab stop at creation, whatever TabStop says: only its setter adds one.
    // A re-created window clips its children as the property says.
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX;
    if (clipChildren_)
        style |= WS_CLIPCHILDREN;
    if (visible_)
        style |= WS_VISIBLE;
    if (!enabled_)
        style |= WS_DISABLED;
    HWND created = CreateWindowExA(WS_EX_CONTROLPARENT, frameBoxClassName, caption_.c_str(), style, left_, top_, width_,
                                   height_, parent_, nullptr, GetModuleHandleA(nullptr), this);
    if (!created)
        throw std::runtime_error("Error creating window for control '" + name_ + "' (system error " +
                                 std::to_string(GetLastError()) + ")");
    HFONT font = font_ ? font_ : reinterpret_cast<HFONT>(SendMessageA(parent_, WM_GETFONT, 0, 0));
    if (font)
        SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void TFrameBox::SetName(const std::string& name)
{
    if (caption_ == name_)
        SetCaption(name);
    name_ = name;
}

void TFrameBox::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (window_)
        SetWindowTextA(window_, caption_.c_str());
}

void TFrameBox::SetBounds(int left, int top, int width, int height) noexcept
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (window_)
        SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrameBox::SetEnabled(bool enabled) noexcept
{
    enabled_ = enabled;
    if (window_)
        EnableWindow(window_, enabled);
}

void TFrameBox::SetVisible(bool visible) noexcept
{
    visible_ = visible;
    if (window_)
        ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void TFrameBox::SetFont(HFONT font) noexcept
{
    font_ = font;
    if (window_ && font)
        SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TFrameBox::SetTabStop(bool tabStop) noexcept
{
    tabStop_ = tabStop;
    if (window_)
        SetStyleBit(window_, WS_TABSTOP, tabStop);
}

void TFrameBox::SetClipChildren(bool clipChildren)
{
    SetStyleBit(Handle(), WS_CLIPCHILDREN, clipChildren);
    clipChildren_ = clipChildren;
}

LRESULT CALLBACK TFrameBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        const FrameBoxClass& buttonClass = RegisteredFrameBoxClass(WindowProc);
        if (message == WM_NCCREATE) {
            auto* box = static_cast<TFrameBox*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            SetWindowLongPtrA(window, buttonClass.objectOffset, reinterpret_cast<LONG_PTR>(box));
            box->window_ = window;
        } else if (message == WM_NCDESTROY) {
            if (auto* box = reinterpret_cast<TFrameBox*>(GetWindowLongPtrA(window, buttonClass.objectOffset)))
                box->window_ = nullptr;
            SetWindowLongPtrA(window, buttonClass.objectOffset, 0);
        } else if (message == WM_ERASEBKGND) {
            PaintParentBackground(window, reinterpret_cast<HDC>(wParam));
            return 1;
        } else if (IsLeftButtonMessage(message)) {
            return DefWindowProcA(window, message, wParam, lParam);
        } else if (IsChildNotification(message)) {
            // The system button keeps its children's messages to itself: the form handles them.
            if (HWND parent = GetParent(window))
                return SendMessageA(parent, message, wParam, lParam);
        }
        return CallWindowProcA(buttonClass.buttonProc, window, message, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}
