#include "simrx/Operation.h"

#include <array>

namespace simrx {

static constexpr std::array<std::string_view, kOperationCount> kNames = {
    "Create",          "Tune",           "GetLockStage",   "GetLocked", "GetSignalError", "GetMultiplex",
    "GetFirstService", "GetNextService", "GetServiceKind", "Unused9",   "GetLabel",       "IsAudioKind",
};

std::string_view OperationName(Operation operation)
{
    return kNames.at(static_cast<std::size_t>(operation));
}

std::optional<Operation> OperationNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name)
            return static_cast<Operation>(i);
    return std::nullopt;
}

}  // namespace simrx
