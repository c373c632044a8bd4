#pragma once
// The C++ object behind a window of our own class: stored when the window is created (the
// object is passed as the creation parameter) and cleared when the window is gone.
#include <windows.h>

template <class T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
        return object;
    }
    if (message == WM_NCDESTROY)
        return reinterpret_cast<T*>(SetWindowLongPtrA(window, GWLP_USERDATA, 0));
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
