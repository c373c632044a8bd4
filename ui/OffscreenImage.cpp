#include "ui/OffscreenImage.h"

#include "ui/ErrorDisplay.h"
#include "ui/WindowObject.h"

#include <stdexcept>
#include <string>

namespace {
constexpr const char* className = "PlexorImage";

void RegisterImageClass(WNDPROC windowProc)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw std::runtime_error("Cannot register the image window class (error " + std::to_string(GetLastError()) + ")");
}

class PaintDc {
public:
    explicit PaintDc(HWND window) noexcept : window_(window) { BeginPaint(window, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }

    HDC dc() const noexcept { return paint_.hdc; }
    const RECT& area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
};
}  // namespace

OffscreenImage::OffscreenImage(HWND parent, int left, int top, int width, int height)
{
    static const bool registered = (RegisterImageClass(windowProc), true);
    (void)registered;
    CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, left, top, width, height, parent, nullptr,
                    GetModuleHandleA(nullptr), this);
    if (!window_)
        throw std::runtime_error("Cannot create the image window (error " + std::to_string(GetLastError()) + ")");
}

OffscreenImage::~OffscreenImage()
{
    // The parent may have destroyed the window already; then window_ was cleared on its way out.
    if (window_)
        DestroyWindow(window_);
}

bool OffscreenImage::preparePicture()
{
    if (!picture_) {
        RECT bounds = {};
        GetClientRect(window_, &bounds);
        if (bounds.right <= 0 || bounds.bottom <= 0)
            return false;
        picture_.emplace(bounds.right, bounds.bottom);
    }
    return true;
}

void OffscreenImage::paint()
{
    PaintDc canvas(window_);
    RECT bounds = {};
    GetClientRect(window_, &bounds);
    if (!picture_) {
        FillRect(canvas.dc(), &bounds, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    if (picture_->width() == bounds.right && picture_->height() == bounds.bottom) {
        const RECT& area = canvas.area();
        BitBlt(canvas.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, picture_->dc(),
               area.left, area.top, SRCCOPY);
    } else {
        SetStretchBltMode(canvas.dc(), COLORONCOLOR);
        StretchBlt(canvas.dc(), 0, 0, bounds.right, bounds.bottom, picture_->dc(), 0, 0, picture_->width(),
                   picture_->height(), SRCCOPY);
    }
}

LRESULT CALLBACK OffscreenImage::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        if (auto* self = WindowObject<OffscreenImage>(window, message, lParam)) {
            switch (message) {
            case WM_NCCREATE:
                self->window_ = window;
                break;
            case WM_ERASEBKGND:
                return 1;  // the picture covers everything: erasing first would only flicker
            case WM_PAINT:
                self->paint();
                return 0;
            case WM_NCDESTROY:
                self->window_ = nullptr;
                break;
            }
        }
    } catch (...) {
        HandleCallbackException();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
