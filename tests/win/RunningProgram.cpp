#include "RunningProgram.h"

#include <commctrl.h>

#include <stdexcept>

namespace {
std::string ProgramPath(const char* fileName)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + fileName;
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if ((search.processId == 0 || owner == search.processId) && lstrcmpA(name, search.className) == 0 &&
        (!search.visibleOnly || IsWindowVisible(window))) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

std::string WindowTextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RunningProgram::RunningProgram(const char* fileName)
{
    std::string commandLine = "\"" + ProgramPath(fileName) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        throw std::runtime_error("cannot start " + commandLine);
    for (int wait = 0; wait < 400 && !mainWindow_; ++wait) {
        WindowSearch search{process_.dwProcessId, "TOVPlexor", true, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        mainWindow_ = search.found;
        if (!mainWindow_)
            Sleep(50);
    }
}

RunningProgram::~RunningProgram()
{
    if (mainWindow_)
        PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 15000) != WAIT_OBJECT_0)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND RunningProgram::VisibleWindowOfClass(const char* className) const
{
    WindowSearch search{process_.dwProcessId, className, true, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RunningProgram::Descendant(const char* className) const
{
    WindowSearch search{0, className, false, nullptr};
    EnumChildWindows(mainWindow_, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

POINT RunningProgram::ToolButtonCentre(int index) const
{
    HWND toolBar = Descendant(TOOLBARCLASSNAMEA);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessId());
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    SendMessageA(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote));
    RECT item{};
    ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(toolBar, &centre);
    return centre;
}
