#include "simrx/StandInReceiver.h"

#include "simrx/CallLogText.h"
#include "simrx/InjectedCall.h"
#include "simrx/Owners.h"

namespace simrx {
namespace {

std::string Logged(LONG value)
{
    return LogValue(static_cast<std::int32_t>(value));
}

std::string Logged(double value)
{
    return LogValue(value);
}

std::string Logged(BSTR text)
{
    return LogValue(std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(text)));
}

void Discard(LONG& value)
{
    value = 0;
}

void Discard(double& value)
{
    value = 0;
}

void Discard(BSTR& text)
{
    SysFreeString(text);
    text = nullptr;
}

[[noreturn]] void RaiseUnknownHandle(LONG handle, const char* what)
{
    throw ComponentError(E_INVALIDARG, std::string("No ") + what + " has the handle " + std::to_string(handle));
}

}  // namespace

StandInReceiver::StandInReceiver(Settings settings, CallLog log)
    : band_(std::move(settings.band), std::move(settings.scenario.kindAnswers)),
      faults_(std::move(settings.scenario)),
      log_(std::move(log))
{
}

StandInReceiver::~StandInReceiver()
{
    log_.write(kDestroyLine);
}

HRESULT StandInReceiver::QueryInterface(REFIID interfaceId, void** object)
{
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch) || IsEqualIID(interfaceId, __uuidof(IViadabRx)))
        return HandOut(static_cast<IViadabRx*>(this), object);
    if (IsEqualIID(interfaceId, IID_ISupportErrorInfo))
        return HandOut(static_cast<ISupportErrorInfo*>(this), object);
    return HandOut(nullptr, object);
}

ULONG StandInReceiver::AddRef()
{
    return references_.add();
}

ULONG StandInReceiver::Release()
{
    return references_.release(this);
}

HRESULT StandInReceiver::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT StandInReceiver::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo)
{
    if (typeInfo)
        *typeInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT StandInReceiver::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT StandInReceiver::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT StandInReceiver::InterfaceSupportsErrorInfo(REFIID interfaceId)
{
    return IsEqualIID(interfaceId, __uuidof(IViadabRx)) ? S_OK : S_FALSE;
}

template <class T, class Compute>
HRESULT StandInReceiver::deliver(Operation operation, const std::string& arguments, T* out, Compute compute) noexcept
{
    if (out)
        *out = T{};
    HRESULT result = E_UNEXPECTED;
    try {
        result = RunInjected(log_, operation, arguments, faults_.nextCall(operation), [&] {
            if (!out)
                throw ComponentError(E_POINTER, std::string(OperationName(operation)) + " was given a null pointer for its result");
            *out = compute();
            return Logged(*out);
        });
    } catch (const std::bad_alloc&) {
        ClearThreadErrorInfo();
        result = E_OUTOFMEMORY;
    } catch (...) {
        ClearThreadErrorInfo();
        result = E_UNEXPECTED;
    }
    if (FAILED(result) && out)
        Discard(*out);
    return result;
}

HRESULT StandInReceiver::Tune(double frequencyMHz, LONG* result)
{
    return deliver(Operation::Tune, Logged(frequencyMHz), result, [&] {
        band_.tune(frequencyMHz);
        return LONG{0};
    });
}

HRESULT StandInReceiver::GetLockStage(LONG* stage)
{
    return deliver(Operation::GetLockStage, "", stage, [&] { return LONG{band_.lockStage()}; });
}

HRESULT StandInReceiver::GetLocked(LONG* locked)
{
    return deliver(Operation::GetLocked, "", locked, [&] { return LONG{band_.poll() ? 1 : 0}; });
}

HRESULT StandInReceiver::GetSignalError(double* signalError)
{
    return deliver(Operation::GetSignalError, "", signalError, [&] { return band_.signalError(); });
}

HRESULT StandInReceiver::GetMultiplex(LONG* multiplex)
{
    return deliver(Operation::GetMultiplex, "", multiplex, [&] { return LONG{band_.multiplexHandle()}; });
}

HRESULT StandInReceiver::GetFirstService(LONG* service)
{
    return deliver(Operation::GetFirstService, "", service, [&] { return LONG{band_.firstService()}; });
}

HRESULT StandInReceiver::GetNextService(LONG* service)
{
    return deliver(Operation::GetNextService, "", service, [&] { return LONG{band_.nextService()}; });
}

HRESULT StandInReceiver::GetServiceKind(LONG service, LONG* kind)
{
    return deliver(Operation::GetServiceKind, Logged(service), kind, [&] {
        const auto found = band_.serviceKind(service);
        if (!found)
            RaiseUnknownHandle(service, "service");
        return LONG{*found};
    });
}

HRESULT StandInReceiver::Unused9()
{
    try {
        return RunInjected(log_, Operation::Unused9, "", faults_.nextCall(Operation::Unused9),
                           []() -> std::string { throw ComponentError(E_NOTIMPL, ""); });
    } catch (...) {
        ClearThreadErrorInfo();
        return E_NOTIMPL;
    }
}

HRESULT StandInReceiver::GetLabel(LONG handle, BSTR* label)
{
    return deliver(Operation::GetLabel, Logged(handle), label, [&] {
        const std::u16string* text = band_.label(handle);
        if (!text)
            RaiseUnknownHandle(handle, "multiplex or service");
        return MakeBstr(*text).release();
    });
}

HRESULT StandInReceiver::IsAudioKind(LONG kind, LONG* isAudio)
{
    return deliver(Operation::IsAudioKind, Logged(kind), isAudio, [&] { return LONG{band_.isAudioKind(kind)}; });
}

}  // namespace simrx
