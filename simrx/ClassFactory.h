#pragma once
// Makes the stand-in receiver objects. Reads the settings at every creation and refuses one
// whose scenario is malformed, with error information that names the line and the fault.
#include "simrx/Module.h"

#include <windows.h>
#include <unknwn.h>

namespace simrx {

class ClassFactory final : public IClassFactory {
public:
    ClassFactory() = default;
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID interfaceId, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~ClassFactory() = default;
    HRESULT create(REFIID interfaceId, void** object);

    friend class ReferenceCount;
    ReferenceCount references_;
    ModuleReference module_;
};

}  // namespace simrx
