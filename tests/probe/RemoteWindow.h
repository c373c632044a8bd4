#pragma once
// Reading the program's window from another process, as a screen reader or a test driving it
// would: finding its controls, asking messages whose answer is a structure, and where on the
// screen a control lies.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace remote {

// The program's main window, or none.
inline HWND MainWindow(DWORD processId = 0)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "TOVPlexor", nullptr))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId == 0 || owner == processId)
            return window;
    }
    return nullptr;
}

struct ClassSearch {
    const char* className;
    std::vector<HWND> found;
};

// A named function, not a lambda: on 32-bit Windows the callback must be stdcall.
inline BOOL CALLBACK CollectOfClass(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<ClassSearch*>(data);
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, search->className) == 0)
        search->found.push_back(child);
    return TRUE;
}

// Every descendant of `parent` of the window class, in the order the system lists them.
inline std::vector<HWND> Descendants(HWND parent, const char* className)
{
    ClassSearch search{className, {}};
    EnumChildWindows(parent, CollectOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND Descendant(HWND parent, const char* className)
{
    const std::vector<HWND> found = Descendants(parent, className);
    return found.empty() ? nullptr : found.front();
}

// The text a control answers to WM_GETTEXT, which the system carries across processes.
inline std::string TextOf(HWND window)
{
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// A message whose answer lands in memory of the window's own process.
template <class T>
T AskAcrossProcesses(HWND window, UINT message, WPARAM wParam)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    T answer{};
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return answer;
    if (void* memory = VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT, PAGE_READWRITE)) {
        SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(memory));
        ReadProcessMemory(process, memory, &answer, sizeof answer, nullptr);
        VirtualFreeEx(process, memory, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return answer;
}

// The screen point at the centre of a rectangle of the window's client area.
inline POINT ScreenCentre(HWND window, RECT bounds)
{
    POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ClientToScreen(window, &centre);
    return centre;
}

inline POINT ToolButtonCentre(HWND mainWindow, int index)
{
    HWND toolBar = Descendant(mainWindow, TOOLBARCLASSNAMEA);
    return ScreenCentre(toolBar, AskAcrossProcesses<RECT>(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index)));
}

inline bool ToolButtonEnabled(HWND mainWindow, int index)
{
    HWND toolBar = Descendant(mainWindow, TOOLBARCLASSNAMEA);
    const TBBUTTON button = AskAcrossProcesses<TBBUTTON>(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index));
    return (button.fsState & TBSTATE_ENABLED) != 0;
}

inline POINT ComboCentre(HWND mainWindow)
{
    HWND box = Descendant(mainWindow, "ComboBox");
    RECT client;
    GetClientRect(box, &client);
    return ScreenCentre(box, client);
}

}  // namespace remote
