#pragma once
// Counts the calls of each operation and says which fault and delay the scenario has for a call.
#include "simrx/Scenario.h"

#include <array>
#include <cstdint>
#include <vector>

namespace simrx {

struct Injection {
    // The first fault of the scenario that names this call, or none.
    const Fault* fault = nullptr;
    // Likewise the first delay.
    std::uint32_t delayMilliseconds = 0;
};

Injection InjectionFor(const Scenario& scenario, Operation operation, std::uint64_t callNumber);

class FaultPlan {
public:
    explicit FaultPlan(Scenario scenario) : scenario_(std::move(scenario)) {}
    // Counts one more call of the operation and tells what it meets.
    Injection nextCall(Operation operation);

private:
    Scenario scenario_;
    std::array<std::uint64_t, kOperationCount> calls_{};
};

}  // namespace simrx
