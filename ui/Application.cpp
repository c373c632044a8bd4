#include "ui/Application.h"

namespace {
HWND mainWindow = nullptr;

void Dispatch(MSG& message)
{
    // Tab and the arrow keys move between the main window's controls, as in a dialog.
    if (mainWindow && IsDialogMessageA(mainWindow, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}
}  // namespace

int Application::Run(HWND window)
{
    mainWindow = window;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
    mainWindow = nullptr;
    return static_cast<int>(message.wParam);
}

void Application::ProcessMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}
