#pragma once
// Owners of GDI resources: a drawing object deleted when done, and the device context of a
// window (or of the screen, for none) given back when done.
#include <windows.h>

#include <memory>
#include <type_traits>

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

// GdiObject<HFONT>, GdiObject<HBITMAP>...: one owner per object.
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

static_assert(!std::is_copy_constructible_v<WindowDc> && !std::is_copy_assignable_v<WindowDc>);
static_assert(!std::is_copy_constructible_v<GdiObject<HFONT>>);
