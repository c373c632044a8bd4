#pragma once
// The stand-in receiver registered as the receiver component in the test prefix, for tests that
// create it through COM as the program does.
#include "SimRxDll.h"

#include <windows.h>

#include <optional>
#include <string>

inline const wchar_t ReceiverClassKey[] = L"Software\\Classes\\CLSID\\{E0EDB411-885F-11D3-982E-00C04F71996F}\\InprocServer32";

// The in-process server registered for the receiver's class, if any.
inline std::optional<std::wstring> RegisteredServer()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ReceiverClassKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    wchar_t text[MAX_PATH * 2] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    const LONG read = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text);
}

// The stand-in registered as the receiver for as long as this lives; a registration found in
// place is left as it was.
class StandInRegistration {
public:
    StandInRegistration()
    {
        const std::optional<std::wstring> found = RegisteredServer();
        if (!found)
            registeredHere_ = dll_.registerServer() == S_OK;
        const std::optional<std::wstring> server = RegisteredServer();
        ours_ = server && lstrcmpiW(server->c_str(), dll_.path.c_str()) == 0;
    }
    ~StandInRegistration()
    {
        if (registeredHere_)
            dll_.unregisterServer();
    }
    StandInRegistration(const StandInRegistration&) = delete;
    StandInRegistration& operator=(const StandInRegistration&) = delete;

    bool ours() const noexcept { return ours_; }

private:
    const SimRxDll& dll_ = SimRxDll::Get();
    bool registeredHere_ = false;
    bool ours_ = false;
};

