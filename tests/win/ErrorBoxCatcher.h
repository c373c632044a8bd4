#pragma once
// Catches the message boxes this thread opens, records what they show and presses OK, so a
// test can run a handler that reports an error without blocking on the modal box.
#include <windows.h>

#include <string>
#include <vector>

struct CaughtBox {
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
    bool stopIcon = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;  // the owner's enabled flag while the box was open
    int openAtOnce = 0;        // boxes open at that moment, this one included
    HWND window = nullptr;
    DWORD openedAt = 0;        // GetTickCount when it was activated
    DWORD closedAt = 0;        // GetTickCount when it was destroyed; 0 while open
};

class ErrorBoxCatcher {
public:
    ErrorBoxCatcher();
    ~ErrorBoxCatcher();
    ErrorBoxCatcher(const ErrorBoxCatcher&) = delete;
    ErrorBoxCatcher& operator=(const ErrorBoxCatcher&) = delete;

    std::vector<CaughtBox> boxes;
    // How long each box stays open before OK is pressed; messages flow meanwhile.
    UINT holdMilliseconds = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK PressOk(HWND, UINT, UINT_PTR, DWORD);
    HHOOK hook_;
};
