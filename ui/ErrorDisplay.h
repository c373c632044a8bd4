#pragma once
// The application's default error display: a modal stop box with one OK button, owned by the
// main window so that the program's other windows are disabled while it is open.
#include <windows.h>

#include <exception>

// The window that owns the box; none while the main window does not exist.
void SetErrorDisplayOwner(HWND owner) noexcept;

// Whether a box is open now. While one is, no further box is stacked over it.
bool ErrorDisplayOpen() noexcept;

// Shows the error in flight. Call it from a catch block of every window procedure, hook, timer
// callback or handler whose code may raise: no exception may cross a system frame.
void HandleCallbackException() noexcept;

// Shows an error's message the same way.
void ShowErrorDisplay(const char* message) noexcept;
