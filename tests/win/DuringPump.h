#pragma once
// Runs a check from inside the next message pump of this thread, e.g. the pump that Connect and
// Disconnect run in the middle of their steps.
#include <windows.h>

#include <functional>

class DuringPump {
public:
    explicit DuringPump(std::function<void()> check) : check_(std::move(check))
    {
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
        PostMessageA(window_, WM_APP, 0, 0);
    }
    ~DuringPump() { DestroyWindow(window_); }
    DuringPump(const DuringPump&) = delete;
    DuringPump& operator=(const DuringPump&) = delete;
    bool ran = false;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<DuringPump*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_APP && self) {
            self->ran = true;
            self->check_();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    std::function<void()> check_;
    HWND window_;
};
