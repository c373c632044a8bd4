#pragma once
// The application object: COM for the user-interface thread, the message loop, and the pump
// that lets waiting messages through in the middle of a handler.
#include <windows.h>

// A single-threaded apartment for the thread that creates it; left only if it was entered.
// A failed initialisation is not reported: the receiver's creation will say what is wrong.
class ComApartment {
public:
    ComApartment() : entered_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (entered_)
            CoUninitialize();
    }
    bool Entered() const noexcept { return entered_; }

private:
    bool entered_;
};

namespace Application {
// Shows the main window and runs the message loop until a quit request arrives.
int Run(HWND mainWindow);

// Handles every message already waiting, painting included, and returns. A quit request met
// here is posted again, so that the loop ends once the running handler has finished.
void ProcessMessages();
}  // namespace Application
