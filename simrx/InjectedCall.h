#pragma once
// One call of the component, with what the scenario injects into it: the delay first, then
// either the injected failure in place of the call, or the call itself with an injected success
// code in place of S_OK. Error information is the injected fault's when it applies, else the
// call's own.
#include "simrx/CallLog.h"
#include "simrx/ComError.h"
#include "simrx/FaultPlan.h"

namespace simrx {

// body() does the work and gives the text of what it delivered, or raises ComponentError.
template <class Body>
HRESULT RunInjected(const CallLog& log, Operation operation, std::string_view arguments, const Injection& injection, Body&& body)
{
    if (injection.delayMilliseconds)
        Sleep(injection.delayMilliseconds);
    const Fault* fault = injection.fault;
    if (fault && FAILED(fault->result))
        return Report(log, operation, arguments, fault->result, "", fault->errorInfo ? &*fault->errorInfo : nullptr);
    std::string delivered;
    try {
        delivered = body();
    } catch (const ComponentError& error) {
        const ErrorInfoText info{std::u16string(kErrorSource), Utf16FromUtf8(error.what()), {}, 0};
        return Report(log, operation, arguments, error.result(), "", info.description.empty() ? nullptr : &info);
    }
    if (fault)
        return Report(log, operation, arguments, fault->result, delivered, fault->errorInfo ? &*fault->errorInfo : nullptr);
    return Report(log, operation, arguments, S_OK, delivered, nullptr);
}

}  // namespace simrx
