#include "RunningProgram.h"

namespace {
struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner != search.processId || lstrcmpA(name, search.className) != 0 || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}
}  // namespace

HWND VisibleWindowOfClass(DWORD processId, const char* className)
{
    WindowSearch search{processId, className, nullptr};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
