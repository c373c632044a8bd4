#include "simrx/Module.h"

#include "receiver/IViadabRx.h"
#include "simrx/ClassFactory.h"
#include "simrx/Owners.h"

namespace simrx {
namespace {

HINSTANCE instance = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;

}  // namespace

HINSTANCE ModuleInstance() noexcept
{
    return instance;
}

ModuleReference::ModuleReference() noexcept
{
    InterlockedIncrement(&liveObjects);
}

ModuleReference::~ModuleReference()
{
    InterlockedDecrement(&liveObjects);
}

void LockModule(bool lock) noexcept
{
    if (lock)
        InterlockedIncrement(&serverLocks);
    else
        InterlockedDecrement(&serverLocks);
}

}  // namespace simrx

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        simrx::instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return simrx::liveObjects == 0 && simrx::serverLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID interfaceId, void** object)
{
    try {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualCLSID(classId, CLSID_ViadabRx))
            return CLASS_E_CLASSNOTAVAILABLE;
        const simrx::ComRef<simrx::ClassFactory> factory(new simrx::ClassFactory());
        return factory->QueryInterface(interfaceId, object);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
