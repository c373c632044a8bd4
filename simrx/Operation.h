#pragma once
// The operations a scenario can aim a fault or a delay at, and that the call log names.
#include <cstddef>
#include <optional>
#include <string_view>

namespace simrx {

// The eleven receiver operations in interface order, and the creation of the object.
enum class Operation { Create, Tune, GetLockStage, GetLocked, GetSignalError, GetMultiplex, GetFirstService,
                       GetNextService, GetServiceKind, Unused9, GetLabel, IsAudioKind };

inline constexpr std::size_t kOperationCount = static_cast<std::size_t>(Operation::IsAudioKind) + 1;

std::string_view OperationName(Operation operation);
// Exact, case-sensitive: a misspelt name in a scenario should be refused, not guessed.
std::optional<Operation> OperationNamed(std::string_view name);

}  // namespace simrx
