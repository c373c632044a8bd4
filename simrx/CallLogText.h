#pragma once
// The lines of the call log, one per call, e.g.
//   GetLabel(4097) -> 0x00000000 "Kelmoor Digital"
// The format is described for its readers in simrx/README.md.
#include "simrx/Operation.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace simrx {

inline constexpr std::string_view kDestroyLine = "Destroy()";

// The operation, its arguments in parentheses, the result in eight hexadecimal digits and,
// when not empty, what it delivered or the description of its error.
std::string LogLine(Operation operation, std::string_view arguments, std::int32_t result, std::string_view outcome);

std::string LogValue(std::int32_t value);
// The shortest text that reads back as the same double; "nan", "inf" and "-inf" as such.
std::string LogValue(double value);
// In quotes, in the escapes of the scenario format.
std::string LogValue(std::u16string_view text);

}  // namespace simrx
