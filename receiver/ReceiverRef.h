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
    double GetSignalError() const
    {
        double signalError = 0;
        OleCheck(receiver_->GetSignalError(&signalError));
        return signalError;
    }
    LONG GetMultiplex() const { return call(&IViadabRx::GetMultiplex); }
    LONG GetFirstService() const { return call(&IViadabRx::GetFirstService); }
    LONG GetNextService() const { return call(&IViadabRx::GetNextService); }
    LONG GetServiceKind(LONG service) const { return call(&IViadabRx::GetServiceKind, service); }
    Bstr GetLabel(LONG handle) const
    {
        Bstr label;
        OleCheck(receiver_->GetLabel(handle, label.put()));
        return label;
    }
    LONG IsAudioKind(LONG kind) const { return call(&IViadabRx::IsAudioKind, kind); }

private:
    // The operation's type is taken whole: a parameter pack before the LONG* would not deduce.
    template <class Operation, class... Args>
    LONG call(Operation operation, Args... in) const
    {
        LONG out = 0;
        OleCheck((receiver_.get()->*operation)(in..., &out));
        return out;
    }

    ComPtr<IViadabRx> receiver_;
};
