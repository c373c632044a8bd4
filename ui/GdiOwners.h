#pragma once
// One owner per kind of GDI or USER handle that the program creates and must free.
#include "ui/Gdi.h"

#include <windows.h>
#include <commctrl.h>

#include <type_traits>
#include <utility>

template <class Handle, class Deleter>
class HandleOwner {
public:
    HandleOwner() = default;
    explicit HandleOwner(Handle handle) : handle_(handle) {}
    HandleOwner(const HandleOwner&) = delete;
    HandleOwner& operator=(const HandleOwner&) = delete;
    HandleOwner(HandleOwner&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    HandleOwner& operator=(HandleOwner&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~HandleOwner() { reset(); }

    void reset(Handle handle = Handle{}) noexcept
    {
        if (Handle old = std::exchange(handle_, handle))
            Deleter{}(old);
    }
    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }

private:
    Handle handle_{};
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

static_assert(!std::is_copy_constructible_v<FontOwner> && !std::is_copy_assignable_v<FontOwner>);
static_assert(!std::is_copy_constructible_v<WindowOwner> && !std::is_copy_assignable_v<WindowOwner>);
