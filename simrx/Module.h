#pragma once
// The DLL as a whole: its instance handle, and the count of live objects and server locks
// that DllCanUnloadNow answers from.
#include <windows.h>

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

// IClassFactory::LockServer.
void LockModule(bool lock) noexcept;

static_assert(!std::is_copy_constructible_v<ModuleReference> && !std::is_copy_assignable_v<ModuleReference>);

}  // namespace simrx
