#pragma once
// The stand-in receiver object: IViadabRx over the band simulation, with the scenario's faults
// and delays and the call log. Every method catches inside itself.
#include "receiver/IViadabRx.h"
#include "simrx/BandSimulation.h"
#include "simrx/CallLog.h"
#include "simrx/FaultPlan.h"
#include "simrx/Module.h"
#include "simrx/Settings.h"

#include <string>

namespace simrx {

class StandInReceiver final : public IViadabRx, public ISupportErrorInfo {
public:
    StandInReceiver(Settings settings, CallLog log);
    StandInReceiver(const StandInReceiver&) = delete;
    StandInReceiver& operator=(const StandInReceiver&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // Called directly, never through IDispatch: there is no type information to dispatch by.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    HRESULT STDMETHODCALLTYPE Tune(double frequencyMHz, LONG* result) override;
    HRESULT STDMETHODCALLTYPE GetLockStage(LONG* stage) override;
    HRESULT STDMETHODCALLTYPE GetLocked(LONG* locked) override;
    HRESULT STDMETHODCALLTYPE GetSignalError(double* signalError) override;
    HRESULT STDMETHODCALLTYPE GetMultiplex(LONG* multiplex) override;
    HRESULT STDMETHODCALLTYPE GetFirstService(LONG* service) override;
    HRESULT STDMETHODCALLTYPE GetNextService(LONG* service) override;
    HRESULT STDMETHODCALLTYPE GetServiceKind(LONG service, LONG* kind) override;
    HRESULT STDMETHODCALLTYPE Unused9() override;
    HRESULT STDMETHODCALLTYPE GetLabel(LONG handle, BSTR* label) override;
    HRESULT STDMETHODCALLTYPE IsAudioKind(LONG kind, LONG* isAudio) override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID interfaceId) override;

private:
    ~StandInReceiver();

    // Runs one operation that delivers a value through out: checks the pointer, applies the
    // scenario, and leaves out zero (null for a BSTR) whenever the call fails.
    template <class T, class Compute>
    HRESULT deliver(Operation operation, const std::string& arguments, T* out, Compute compute) noexcept;

    friend class ReferenceCount;
    ReferenceCount references_;
    BandSimulation band_;
    FaultPlan faults_;
    CallLog log_;
    ModuleReference module_;
};

}  // namespace simrx
