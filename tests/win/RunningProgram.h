#pragma once
// The real program, started as a separate process from the folder of the test program, and
// driven from outside as a user drives it.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "tests/probe/RemoteWindow.h"

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// A file next to the running test program.
inline std::wstring NextToThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    std::wstring result(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return result.erase(result.find_last_of(L"\\/") + 1).append(name);
}


// Plexor.exe, ended at the close of the test if it is still running.
class RunningProgram {
public:
    RunningProgram()
    {
        std::wstring command = L"\"" + NextToThisProgram(L"Plexor.exe") + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            return;
        process_.reset(started.hProcess);
        Handle thread(started.hThread);
        processId_ = started.dwProcessId;
    }
    ~RunningProgram()
    {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.get(), 1);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const noexcept { return static_cast<bool>(process_); }
    HWND window() const { return remote::MainWindow(processId_); }
    DWORD processId() const noexcept { return processId_; }
    std::optional<DWORD> exitCode() const
    {
        DWORD code = 0;
        if (WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(process_.get(), &code))
            return std::nullopt;
        return code;
    }

private:
    Handle process_;
    DWORD processId_ = 0;
};

// A click where a user would click: the pointer arrives, then the button goes down and up.
inline void ClickAt(POINT point)
{
    // The pointer arrives first, as a user's hand would bring it: the window must know where
    // it is before the button goes down.
    SetCursorPos(point.x, point.y);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, click, sizeof(INPUT));
    Sleep(200);
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

// A visible top-level window of this class in the given process; none if there is none.
HWND VisibleWindowOfClass(DWORD processId, const char* className);
