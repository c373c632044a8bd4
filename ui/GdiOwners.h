#pragma once
// One owner per kind of GDI or USER handle that the program creates and must free.
#include <windows.h>
#include <commctrl.h>

#include <type_traits>
#include <utility>

template <class Handle, class Deleter>
class HandleOwner {
public:
    HandleOwner() = default;
    explicit HandleOwner(Handle handle) : handle_(handle) { live_ += handle ? 1 : 0; }
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;
    HandleOwner(HandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    HandleOwner& operator=(HandleOwner&& other) noexcept
    {
        HandleOwner taken(std::move(other));
        std::swap(handle_, taken.handle_);  // what this held goes with `taken`
        return *this;
    }
    ~HandleOwner() { reset(); }

    void reset(Handle handle = Handle{}) noexcept
    {
        live_ += handle ? 1 : 0;
        if (Handle old = std::exchange(handle_, handle)) {
            Deleter{}(old);
            --live_;
        }
    }
    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }

    // Handles of this kind held now: what a leak check counts across many cycles.
    static int Live() noexcept { return live_; }

private:
    Handle handle_{};
    static inline int live_ = 0;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct WindowDeleter {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct ImageListDeleter {
    void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
};

using FontOwner = HandleOwner<HFONT, GdiObjectDeleter>;
using BrushOwner = HandleOwner<HBRUSH, GdiObjectDeleter>;
using BitmapOwner = HandleOwner<HBITMAP, GdiObjectDeleter>;
using WindowOwner = HandleOwner<HWND, WindowDeleter>;
using ImageListOwner = HandleOwner<HIMAGELIST, ImageListDeleter>;
// GdiObject<HFONT>, GdiObject<HBITMAP>...: one owner per drawing object.
template <class Handle>
using GdiObject = HandleOwner<Handle, GdiObjectDeleter>;

// The device context of a window (or of the screen, for none), given back when done.
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


static_assert(!std::is_copy_constructible_v<FontOwner> && !std::is_copy_assignable_v<FontOwner>);
static_assert(!std::is_copy_constructible_v<WindowOwner> && !std::is_copy_assignable_v<WindowOwner>);
