// Self-registration, so that regsvr32 works: the class of the receiver is pointed at this DLL
// under HKLM\Software\Classes (Wine does not merge the per-user classes into HKCR). A class
// registered to another server is left alone, on registering and on unregistering.
#include "receiver/IViadabRx.h"
#include "simrx/Module.h"

#include <olectl.h>
#include <windows.h>

#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace simrx {
namespace {

constexpr wchar_t kClassName[] = L"ViadabRx stand-in receiver (simrx)";
constexpr wchar_t kInprocServer[] = L"InprocServer32";
constexpr wchar_t kLocalServer[] = L"LocalServer32";

struct CloseKey {
    void operator()(HKEY key) const noexcept { RegCloseKey(key); }
};
using KeyOwner = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseKey>;

class RegistryFailure : public std::runtime_error {
public:
    explicit RegistryFailure(LSTATUS status) : std::runtime_error("registry"), status_(status) {}
    HRESULT result() const noexcept { return HRESULT_FROM_WIN32(static_cast<DWORD>(status_)); }

private:
    LSTATUS status_;
};

void Check(LSTATUS status)
{
    if (status != ERROR_SUCCESS)
        throw RegistryFailure(status);
}

std::wstring ClassKeyPath()
{
    wchar_t classId[40] = {};
    StringFromGUID2(CLSID_ViadabRx, classId, 40);
    return std::wstring(L"Software\\Classes\\CLSID\\") + classId;
}

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(ModuleInstance(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            Check(static_cast<LSTATUS>(GetLastError()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Null when the key does not exist.
KeyOwner OpenKey(HKEY parent, const std::wstring& path, REGSAM access)
{
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExW(parent, path.c_str(), 0, access, &key);
    if (status == ERROR_FILE_NOT_FOUND)
        return nullptr;
    Check(status);
    return KeyOwner(key);
}

KeyOwner CreateKey(HKEY parent, const std::wstring& path)
{
    HKEY key = nullptr;
    Check(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    return KeyOwner(key);
}

void SetText(HKEY key, const wchar_t* name, const std::wstring& text)
{
    Check(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}

// The default value of a subkey: nullopt when the subkey is missing, empty when it has none.
std::optional<std::wstring> DefaultText(HKEY parent, const wchar_t* subkey)
{
    const KeyOwner key = OpenKey(parent, subkey, KEY_QUERY_VALUE);
    if (!key)
        return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::wstring();
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    Check(RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size));
    // The stored text need not end in a NUL; it stops at the first one.
    text.resize(std::wcslen(text.c_str()));
    return text;
}

enum class Holder { Nobody, ThisServer, AnotherServer };

Holder ClassHolder(HKEY classKey, const std::wstring& modulePath)
{
    if (OpenKey(classKey, kLocalServer, KEY_QUERY_VALUE))
        return Holder::AnotherServer;
    const std::optional<std::wstring> server = DefaultText(classKey, kInprocServer);
    if (!server || server->empty())
        return Holder::Nobody;
    // File names compare without regard to case on Windows.
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, server->c_str(), -1, modulePath.c_str(), -1) == CSTR_EQUAL
               ? Holder::ThisServer
               : Holder::AnotherServer;
}

// Removes the class key once nothing but what registering put there is left in it.
void RemoveClassKeyIfOurs(HKEY classKey, const std::wstring& classPath)
{
    DWORD subkeys = 0, values = 0;
    Check(RegQueryInfoKeyW(classKey, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr, nullptr));
    const std::optional<std::wstring> name = DefaultText(classKey, L"");
    if (subkeys == 0 && (values == 0 || (values == 1 && name == kClassName)))
        Check(RegDeleteKeyW(HKEY_LOCAL_MACHINE, classPath.c_str()));
}

template <class Step>
HRESULT Guarded(Step step) noexcept
{
    try {
        return step();
    } catch (const RegistryFailure& failure) {
        return failure.result();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace
}  // namespace simrx

STDAPI DllRegisterServer()
{
    using namespace simrx;
    return Guarded([] {
        const std::wstring modulePath = ModulePath();
        const KeyOwner classKey = CreateKey(HKEY_LOCAL_MACHINE, ClassKeyPath());
        if (ClassHolder(classKey.get(), modulePath) == Holder::AnotherServer)
            return SELFREG_E_CLASS;
        SetText(classKey.get(), nullptr, kClassName);
        const KeyOwner server = CreateKey(classKey.get(), kInprocServer);
        SetText(server.get(), nullptr, modulePath);
        SetText(server.get(), L"ThreadingModel", L"Apartment");
        return S_OK;
    });
}

STDAPI DllUnregisterServer()
{
    using namespace simrx;
    return Guarded([] {
        const std::wstring classPath = ClassKeyPath();
        const KeyOwner classKey = OpenKey(HKEY_LOCAL_MACHINE, classPath, KEY_ALL_ACCESS);
        if (!classKey)
            return S_OK;
        switch (ClassHolder(classKey.get(), ModulePath())) {
        case Holder::Nobody: return S_OK;
        case Holder::AnotherServer: return SELFREG_E_CLASS;
        case Holder::ThisServer: break;
        }
        Check(RegDeleteKeyW(classKey.get(), kInprocServer));
        RemoveClassKeyIfOurs(classKey.get(), classPath);
        return S_OK;
    });
}
