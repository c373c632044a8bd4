#include "simrx/FaultPlan.h"

namespace simrx {

Injection InjectionFor(const Scenario& scenario, Operation operation, std::uint64_t callNumber)
{
    Injection injection;
    for (const Fault& fault : scenario.faults)
        if (fault.operation == operation && fault.calls.matches(callNumber)) {
            injection.fault = &fault;
            break;
        }
    for (const Delay& delay : scenario.delays)
        if (delay.operation == operation && delay.calls.matches(callNumber)) {
            injection.delayMilliseconds = delay.milliseconds;
            break;
        }
    return injection;
}

Injection FaultPlan::nextCall(Operation operation)
{
    return InjectionFor(scenario_, operation, ++calls_.at(static_cast<std::size_t>(operation)));
}

}  // namespace simrx
