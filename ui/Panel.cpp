#include "ui/Panel.h"

#include "ui/ErrorDisplay.h"
#include "ui/WindowObject.h"

#include <uxtheme.h>

namespace {
const char PanelClass[] = "TPanel";
const char ShapeClass[] = "TShape";

void RegisterOnce(const char* className, WNDPROC procedure)
{
    WNDCLASSA existing;
    if (GetClassInfoA(GetModuleHandleA(nullptr), className, &existing))
        return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<const char*>(IDC_ARROW));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
}

HWND CreateOwned(const CreateContext& context, const char* className, DWORD style, void* owner)
{
    const ComponentPlacement& p = context.placement;
    return CreateWindowExA(WS_EX_CONTROLPARENT, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style | (p.appearance & Disabled ? WS_DISABLED : 0),
                           p.left, p.top, p.width, p.height, context.parentWindow,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(context.id)), GetModuleHandleA(nullptr), owner);
}
}  // namespace

void Panel::Create(const CreateContext& context)
{
    RegisterOnce(PanelClass, WindowProc);
    black_ = context.placement.appearance & Black;
    id_ = context.id;
    window_ = CreateOwned(context, PanelClass, WS_CLIPCHILDREN, this);
}

LRESULT CALLBACK Panel::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        Panel* panel = WindowObject<Panel>(window, message, lParam);
        if (IsForwardedChildMessage(message))
            return SendMessageA(GetParent(window), message, wParam, lParam);
        if (message == WM_ERASEBKGND && panel) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT client;
            GetClientRect(window, &client);
            // A panel of its parent's colour lets the parent's (themed) face show through.
            if (panel->black_)
                FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            else if (!IsAppThemed() || FAILED(DrawThemeParentBackground(window, dc, &client)))
                FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Shape::Create(const CreateContext& context)
{
    RegisterOnce(ShapeClass, WindowProc);
    outline_.reset(CreateSolidBrush(RGB(0, 128, 0)));
    id_ = context.id;
    window_ = CreateOwned(context, ShapeClass, 0, this);
}

LRESULT CALLBACK Shape::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        Shape* shape = WindowObject<Shape>(window, message, lParam);
        if (message == WM_ERASEBKGND)
            return 1;
        if (message == WM_PAINT && shape) {
            // A rectangle with no fill: only its one-pixel outline is drawn.
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            FrameRect(dc, &client, shape->outline_.get());
            EndPaint(window, &paint);
            return 0;
        }
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
