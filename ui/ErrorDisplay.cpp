#include "ui/ErrorDisplay.h"

#include "ui/AppTitle.h"

#include <stdexcept>
#include <string>

namespace {
HWND errorDisplayOwner = nullptr;
bool errorDisplayOpen = false;

std::string ModuleTitle()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ApplicationTitle(path);
}
}  // namespace

void SetErrorDisplayOwner(HWND owner) noexcept { errorDisplayOwner = owner; }

bool ErrorDisplayOpen() noexcept { return errorDisplayOpen; }

void ShowErrorDisplay(const char* message) noexcept
{
    if (errorDisplayOpen)
        return;
    try {
        errorDisplayOpen = true;
        MessageBoxA(errorDisplayOwner, ErrorDisplayText(message).c_str(), ModuleTitle().c_str(), MB_OK | MB_ICONSTOP);
    } catch (...) {
        // Out of memory while composing the text: nothing better can be shown.
    }
    errorDisplayOpen = false;
}

void HandleCallbackException() noexcept
{
    try {
        throw;
    } catch (const std::exception& error) {
        ShowErrorDisplay(error.what());
    } catch (...) {
        ShowErrorDisplay("Unexpected error");
    }
}
