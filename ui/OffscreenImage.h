#pragma once
// An image control with an off-screen picture: the program draws into the picture's pixels, and the
// control shows it at its next repaint, never while the drawing is under way.
#include <windows.h>

#include "ui/DibSurface.h"
#include "ui/PixelBuffer.h"

#include <optional>
#include <type_traits>

class OffscreenImage {
public:
    // Creates the control as a visible child of parent, at a place in the parent's client area.
    OffscreenImage(HWND parent, int left, int top, int width, int height);
    OffscreenImage(const OffscreenImage&) = delete;
    OffscreenImage& operator=(const OffscreenImage&) = delete;
    ~OffscreenImage();

    HWND window() const noexcept { return window_; }
    // The picture's DC; none before the first drawing.
    HDC pictureDc() const noexcept { return picture_ ? picture_->dc() : nullptr; }

    // Hands the picture's pixels to paint, then marks the control for repainting. The first drawing
    // makes the picture at the control's size of that moment, and it keeps that size; nothing is
    // drawn while the control has no area.
    template <class Paint>
    void draw(Paint&& paint)
    {
        if (!preparePicture())
            return;
        paint(picture_->pixels());
        InvalidateRect(window_, nullptr, FALSE);
    }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool preparePicture();
    void paint();

    HWND window_ = nullptr;
    std::optional<DibSurface> picture_;
};

static_assert(!std::is_copy_constructible_v<OffscreenImage> && !std::is_copy_assignable_v<OffscreenImage>);
