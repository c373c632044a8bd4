#pragma once
// The real program, started as a separate process from the folder of the test program, and
// read from outside as a user's tools would read it.
#include <windows.h>

#include <string>

class RunningProgram {
public:
    explicit RunningProgram(const char* fileName = "Plexor.exe");
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    // Closes the window as a user does; ends the process if it does not go.
    ~RunningProgram();

    HWND MainWindow() const noexcept { return mainWindow_; }
    DWORD ProcessId() const noexcept { return process_.dwProcessId; }
    // A visible top-level window of this class in the program's process; none if there is none.
    HWND VisibleWindowOfClass(const char* className) const;
    // The first descendant of the main window of this class.
    HWND Descendant(const char* className) const;
    // Where a tool-bar button is on the screen (its centre), asked across the process boundary.
    POINT ToolButtonCentre(int index) const;

private:
    PROCESS_INFORMATION process_{};
    HWND mainWindow_ = nullptr;
};

std::string WindowTextOf(HWND window);
