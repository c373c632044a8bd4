#pragma once
// A counted reference to the receiver whose operations raise EOleException on failure, so that
// callers take the values and never see an HRESULT.
#include "receiver/ComPtr.h"
#include "receiver/IViadabRx.h"
#include "receiver/OleErrors.h"

class ReceiverRef {
public:
    ReceiverRef() = default;
    explicit ReceiverRef(ComPtr<IViadabRx> receiver) : receiver_(std::move(receiver)) {}

    bool held() const noexcept { return static_cast<bool>(receiver_); }
    // Releases the component.
    void clear() noexcept { receiver_.reset(); }
    IViadabRx* get() const noexcept { return receiver_.get(); }

    LONG Tune(double frequencyMHz) const { return call(&IViadabRx::Tune, frequencyMHz); }
    LONG GetLockStage() const { return call(&IViadabRx::GetLockStage); }
    LONG GetLocked() const { return call(&IViadabRx::GetLocked); }
    double GetSignalError() const { return call<double>(&IViadabRx::GetSignalError); }
    LONG GetMultiplex() const { return call(&IViadabRx::GetMultiplex); }
    LONG GetFirstService() const { return call(&IViadabRx::GetFirstService); }
    LONG GetNextService() const { return call(&IViadabRx::GetNextService); }
    LONG GetServiceKind(LONG service) const { return call(&IViadabRx::GetServiceKind, service); }
    Bstr GetLabel(LONG handle) const
    {
        Bstr label;
        OleCheck(receiver().GetLabel(handle, label.put()));
        return label;
    }
    LONG IsAudioKind(LONG kind) const { return call(&IViadabRx::IsAudioKind, kind); }

private:
    // Inputs first, the delivered value through the last argument.
    template <class Out = LONG, class Operation, class... In>
    Out call(Operation operation, In... in) const
    {
        Out out{};
        OleCheck((receiver().*operation)(in..., &out));
        return out;
    }

    // A call without a receiver is a fault of the caller: it fails like a call to a component
    // that has gone away instead of touching a null pointer.
    IViadabRx& receiver() const
    {
        if (!receiver_)
            RaiseNotConnected();
        return *receiver_.get();
    }

    ComPtr<IViadabRx> receiver_;
};

static_assert(!std::is_copy_constructible_v<ReceiverRef> && !std::is_copy_assignable_v<ReceiverRef>);
