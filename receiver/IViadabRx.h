#pragma once
// The receiver component's interface, as its type library lays it out: after IUnknown and
// IDispatch come eleven operations in this fixed order. Each returns an HRESULT and delivers
// its value through the last argument. Handles are the component's own; we never interpret them.
#include <windows.h>
#include <oaidl.h>

// {E0EDB411-885F-11D3-982E-00C04F71996F}
inline constexpr CLSID CLSID_ViadabRx = {0xE0EDB411, 0x885F, 0x11D3, {0x98, 0x2E, 0x00, 0xC0, 0x4F, 0x71, 0x99, 0x6F}};

struct IViadabRx : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE Tune(double frequencyMHz, LONG* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLockStage(LONG* stage) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLocked(LONG* locked) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSignalError(double* signalError) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMultiplex(LONG* multiplex) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFirstService(LONG* service) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetNextService(LONG* service) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetServiceKind(LONG service, LONG* kind) = 0;
    // Never called; it only keeps the slot so that the two operations after it line up.
    virtual HRESULT STDMETHODCALLTYPE Unused9() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetLabel(LONG handle, BSTR* label) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsAudioKind(LONG kind, LONG* isAudio) = 0;
};

// {E0EDB410-885F-11D3-982E-00C04F71996F}
__CRT_UUID_DECL(IViadabRx, 0xE0EDB410, 0x885F, 0x11D3, 0x98, 0x2E, 0x00, 0xC0, 0x4F, 0x71, 0x99, 0x6F)
