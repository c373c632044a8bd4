#pragma once
// An off-screen 32-bit picture: a top-down DIB section selected into a memory DC of its own, so GDI
// can blit it and the program can write its pixels directly.
#include <windows.h>

#include "ui/PixelBuffer.h"

#include <type_traits>

class DibSurface {
public:
    // Raises std::runtime_error when the system cannot provide it.
    DibSurface(int width, int height);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const noexcept { return dc_.handle; }
    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    // The pixels, once GDI has finished any drawing it batched on them.
    PixelBuffer pixels() const noexcept;

private:
    template <class Handle, BOOL(WINAPI* release)(Handle)>
    struct Owned {
        Handle handle;
        explicit Owned(Handle owned) noexcept : handle(owned) {}
        Owned(const Owned&) = delete;
        Owned& operator=(const Owned&) = delete;
        ~Owned() { release(handle); }
    };
    // A DC must get its original bitmap back before its own one can be deleted.
    struct Selection {
        HDC dc;
        HGDIOBJ previous;
        Selection(HDC dc, HGDIOBJ selected) noexcept : dc(dc), previous(SelectObject(dc, selected)) {}
        Selection(const Selection&) = delete;
        Selection& operator=(const Selection&) = delete;
        ~Selection() { SelectObject(dc, previous); }
    };

    // Members go in reverse order: the old bitmap is selected back, then the bitmap and the DC are deleted.
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    Owned<HDC, DeleteDC> dc_;
    Owned<HGDIOBJ, DeleteObject> bitmap_;
    Selection selection_;
};

static_assert(!std::is_copy_constructible_v<DibSurface> && !std::is_copy_assignable_v<DibSurface>);
