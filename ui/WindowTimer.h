#pragma once
// A window timer with a logical enabled flag: a tick that was already queued when the timer
// stopped is recognised and ignored, and enabling a running timer keeps its schedule.
#include <windows.h>

class WindowTimer {
public:
    WindowTimer() = default;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() { SetEnabled(false); }

    void Attach(HWND window, UINT_PTR id, UINT interval) noexcept
    {
        window_ = window;
        id_ = id;
        interval_ = interval;
    }
    void SetEnabled(bool enabled) noexcept
    {
        if (enabled == enabled_)
            return;
        enabled_ = enabled;
        if (enabled)
            SetTimer(window_, id_, interval_, nullptr);
        else
            KillTimer(window_, id_);
    }
    bool Enabled() const noexcept { return enabled_; }
    // The next tick comes a full period from now.
    void Restart() noexcept
    {
        if (enabled_)
            SetTimer(window_, id_, interval_, nullptr);
    }
    UINT_PTR Id() const noexcept { return id_; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
    UINT interval_ = 0;
    bool enabled_ = false;
};
