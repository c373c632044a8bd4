#pragma once
// The DLL as a whole: its instance handle, and the count of live objects and server locks
// that DllCanUnloadNow answers from.
#include <windows.h>
#include <unknwn.h>

#include <type_traits>

namespace simrx {

HINSTANCE ModuleInstance() noexcept;

// Held by every object the DLL hands out, so that it is not unloaded under them.
class ModuleReference {
public:
    ModuleReference() noexcept;
    ~ModuleReference();
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

// The reference count of an object the DLL hands out; the object goes with its last reference.
class ReferenceCount {
public:
    ULONG add() noexcept { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
    template <class Object>
    ULONG release(Object* object) noexcept
    {
        const LONG left = InterlockedDecrement(&count_);
        if (left == 0)
            delete object;
        return static_cast<ULONG>(left);
    }

private:
    LONG count_ = 1;
};

// The end of a QueryInterface: hands out the interface with a reference, or nothing.
inline HRESULT HandOut(IUnknown* offered, void** object) noexcept
{
    if (!object)
        return E_POINTER;
    *object = offered;
    if (!offered)
        return E_NOINTERFACE;
    offered->AddRef();
    return S_OK;
}

// IClassFactory::LockServer.
void LockModule(bool lock) noexcept;

static_assert(!std::is_copy_constructible_v<ModuleReference> && !std::is_copy_assignable_v<ModuleReference>);

}  // namespace simrx
