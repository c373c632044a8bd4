#pragma once
// Helpers shared by the in-process window tests.
#include <windows.h>

#include <functional>

// Dispatches waiting messages until the condition holds or the time is up; says which.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A plain window class with the arrow cursor and the face colour, registered on first use.
inline void RegisterTestWindowClass(const char* name, WNDPROC windowProc)
{
    WNDCLASSA windowClass{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &windowClass))
        return;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// A window destroyed with its owner object.
class TestWindow {
public:
    explicit TestWindow(HWND window) : window_(window) {}
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow()
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
    }
    HWND get() const { return window_; }

private:
    HWND window_;
};
