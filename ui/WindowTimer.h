#pragma once
// A window timer with a logical enabled flag: a tick that was already queued when the timer
// stopped is recognised and ignored, and enabling a running timer keeps its schedule.
#include <windows.h>

#include <stdexcept>

// The system has no timer left to give.
class ENoTimers : public std::runtime_error {
public:
    ENoTimers() : std::runtime_error("Not enough timers available") {}
};

class WindowTimer {
public:
    WindowTimer() = default;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer()
    {
        if (enabled_)
            KillTimer(window_, id_);
    }

    void Attach(HWND window, UINT_PTR id, UINT interval) noexcept
    {
        window_ = window;
        id_ = id;
        interval_ = interval;
    }
    // Raises ENoTimers when the timer cannot be started, which then stays off: a tune must not
    // promise polls that will never come. Stopping never fails.
    void SetEnabled(bool enabled)
    {
        if (enabled == enabled_)
            return;
        if (enabled && !SetTimer(window_, id_, interval_, nullptr))
            throw ENoTimers();
        if (!enabled)
            KillTimer(window_, id_);
        enabled_ = enabled;
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
