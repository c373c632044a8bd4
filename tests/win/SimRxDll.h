#pragma once
// The stand-in receiver as the tests reach it: simrx.dll next to win_tests.exe, loaded once
// into this process, and its four exports.
#include <windows.h>

#include <string>

struct SimRxDll {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using NoArguments = HRESULT(STDAPICALLTYPE*)();

    std::wstring path;
    HMODULE module = nullptr;
    GetClassObject getClassObject = nullptr;
    NoArguments canUnloadNow = nullptr;
    NoArguments registerServer = nullptr;
    NoArguments unregisterServer = nullptr;

    // Fails the test program at once when the DLL or an export is missing.
    static const SimRxDll& Get();

    SimRxDll(const SimRxDll&) = delete;
    SimRxDll& operator=(const SimRxDll&) = delete;
    ~SimRxDll();

private:
    SimRxDll();
};
