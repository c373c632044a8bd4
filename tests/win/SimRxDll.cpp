#include "SimRxDll.h"

#include <cstdio>
#include <cstdlib>

template <class Function>
static Function Export(HMODULE module, const char* name)
{
    const FARPROC address = GetProcAddress(module, name);
    if (!address) {
        std::fprintf(stderr, "simrx.dll does not export %s\n", name);
        std::abort();
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

SimRxDll::SimRxDll()
{
    wchar_t exe[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    path.assign(exe, length);
    path.erase(path.find_last_of(L"\\/") + 1).append(L"simrx.dll");
    module = LoadLibraryW(path.c_str());
    if (!module) {
        std::fprintf(stderr, "cannot load simrx.dll next to the test program (error %lu)\n", GetLastError());
        std::abort();
    }
    getClassObject = Export<GetClassObject>(module, "DllGetClassObject");
    canUnloadNow = Export<NoArguments>(module, "DllCanUnloadNow");
    registerServer = Export<NoArguments>(module, "DllRegisterServer");
    unregisterServer = Export<NoArguments>(module, "DllUnregisterServer");
}

SimRxDll::~SimRxDll()
{
    FreeLibrary(module);
}

const SimRxDll& SimRxDll::Get()
{
    static const SimRxDll dll;
    return dll;
}
