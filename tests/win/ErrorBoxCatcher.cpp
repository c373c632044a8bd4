#include "ErrorBoxCatcher.h"

namespace {
ErrorBoxCatcher* active = nullptr;
int open = 0;

std::string TextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
}  // namespace

ErrorBoxCatcher::ErrorBoxCatcher() : hook_(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId())) { active = this; }

ErrorBoxCatcher::~ErrorBoxCatcher()
{
    UnhookWindowsHookEx(hook_);
    active = nullptr;
}

void CALLBACK ErrorBoxCatcher::PressOk(HWND box, UINT, UINT_PTR id, DWORD)
{
    KillTimer(box, id);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK ErrorBoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[32] = {};
    if (code == HCBT_DESTROYWND && GetClassNameA(window, className, sizeof className) && lstrcmpA(className, "#32770") == 0) {
        --open;
        if (active)
            for (CaughtBox& box : active->boxes)
                if (box.window == window && box.closedAt == 0)
                    box.closedAt = GetTickCount();
    }
    if (code == HCBT_ACTIVATE && active && GetClassNameA(window, className, sizeof className) && lstrcmpA(className, "#32770") == 0) {
        ++open;
        CaughtBox box;
        box.caption = TextOf(window);
        box.owner = GetWindow(window, GW_OWNER);
        box.ownerEnabled = box.owner && IsWindowEnabled(box.owner);
        box.openAtOnce = open;
        box.window = window;
        box.openedAt = GetTickCount();
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char childClass[32] = {};
            GetClassNameA(child, childClass, sizeof childClass);
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            if (lstrcmpiA(childClass, "Button") == 0)
                box.buttons.push_back(TextOf(child));
            else if (lstrcmpiA(childClass, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON)
                box.stopIcon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == LoadIconA(nullptr, reinterpret_cast<const char*>(IDI_HAND));
            else if (lstrcmpiA(childClass, "Static") == 0 && !TextOf(child).empty())
                box.text = TextOf(child);
        }
        active->boxes.push_back(box);
        SetTimer(window, 1, active->holdMilliseconds, PressOk);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
