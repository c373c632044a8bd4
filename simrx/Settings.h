#pragma once
// What one object of the component is made from, read when it is created (not when the DLL is
// loaded, so that a process can create objects under different settings one after another):
//   SIMRX_SCENARIO  path of a scenario file; unset or empty: the default neighbourhood
//   SIMRX_SEED      seed of the default neighbourhood, decimal or 0x-hexadecimal; unset: 1
//   SIMRX_LOG       path of the call log, appended to; unset or empty: no log
#include "simrx/Scenario.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace simrx {

struct Settings {
    std::vector<Multiplex> band;
    // Its multiplexes have moved to band.
    Scenario scenario;
};

std::wstring EnvironmentVariable(const wchar_t* name);

// Raises ComponentError naming the variable or the scenario line in fault.
Settings LoadSettings();

}  // namespace simrx
