#include "ui/Control.h"

void Control::SetEnabled(bool enabled) { EnableWindow(window_, enabled); }

bool Control::Enabled() const { return IsWindowEnabled(window_) != FALSE; }

void Control::SetText(const char* text) { SetWindowTextA(window_, text); }

HWND Control::CreateNative(const CreateContext& context, DWORD exStyle, const char* className, DWORD style, HFONT font)
{
    const ComponentPlacement& p = context.placement;
    if (p.appearance & Disabled)
        style |= WS_DISABLED;
    id_ = context.id;
    window_ = CreateWindowExA(exStyle, className, p.text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, p.left, p.top,
                              p.width, p.height, context.parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              GetModuleHandleA(nullptr), nullptr);
    if (font)
        SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window_;
}

bool IsForwardedChildMessage(UINT message) noexcept
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
        return true;
    default:
        return false;
    }
}

static LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (IsForwardedChildMessage(message))
        return SendMessageA(GetParent(window), message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, ForwardingProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

void ForwardChildMessagesToParent(HWND container) { SetWindowSubclass(container, ForwardingProc, 0, 0); }
