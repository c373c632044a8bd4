#pragma once
// THintWindow: the small pop-up that shows a hint text. It never takes the focus or activation,
// lets the pointer through, and is destroyed with its owner window. A kind of hint window with
// other creation parameters derives from it and overrides CreateParams.
#include "ui/GdiOwners.h"

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

// What a window asks of the system when it is created. The class is registered under
// className by the first window of that name; later windows of that name share it.
struct WindowCreateParams {
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT classStyle = 0;
};

class THintWindow {
public:
    THintWindow() = default;
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;
    virtual ~THintWindow();

    // Right-to-left reading; set before the window is created.
    void SetRightToLeft(bool rightToLeft) noexcept { rightToLeft_ = rightToLeft; }
    bool RightToLeft() const noexcept { return rightToLeft_; }

    // Creates the (hidden) window, owned by owner (none for a free-standing one). Throws on failure.
    void CreateHandle(HWND owner);
    HWND Handle() const noexcept { return window_; }
    bool HandleAllocated() const noexcept { return window_ != nullptr; }

    // The window size that shows the text, wrapped at maxWidth pixels, in the hint font
    // (the system's status-bar font). Once the window exists.
    SIZE CalcHintSize(int maxWidth, const std::string& text) const;
    // Shows the text in the given screen rectangle, on top and without activation.
    void ActivateHint(const RECT& screenRect, const std::string& text);
    // Hides the hint; the window stays for the next one.
    void ReleaseHint() noexcept;

protected:
    virtual void CreateParams(WindowCreateParams& params) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UINT TextFormat() const noexcept;
    void Paint();

    HWND window_ = nullptr;
    GdiObject<HFONT> font_;
    bool rightToLeft_ = false;
};

static_assert(!std::is_copy_constructible_v<THintWindow> && !std::is_copy_assignable_v<THintWindow>);
