#pragma once
// The census of the services of the multiplex now received, and its export into the companion
// application's registry area: one walk over the receiver's services for both.
#include "receiver/ReceiverRef.h"

#include <cstdint>
#include <stdexcept>
#include <string_view>

struct ServiceCounts {
    std::int32_t audio = 0;
    std::int32_t data = 0;
    std::int32_t total() const noexcept { return audio + data; }
};

// More services than a multiplex can carry mean a component whose list never ends: without a
// limit the walk would hold the window forever (and an export would write keys without end).
inline constexpr std::int32_t MaxServices = 65536;

class ETooManyServices : public std::runtime_error {
public:
    ETooManyServices() : std::runtime_error("The receiver lists more than 65536 services") {}
};

// Counts audio and data services. Asks the receiver, per service: GetServiceKind, IsAudioKind,
// then GetNextService. The first handle is counted before any test, so a completed census
// counts at least one service; only a GetNextService result of 0 ends the walk.
ServiceCounts CountServices(const ReceiverRef& receiver);

// The census that also writes, below HKEY_CURRENT_USER, the multiplex key with tunedFreqText as
// its default value and, below it, one key per service with its handle as "ServiceHandle".
// Asks the receiver, per service: GetServiceKind, IsAudioKind, GetMultiplex, GetLabel of the
// multiplex, GetLabel of the service, then GetNextService. An error ends it where it happens and
// keeps what has been written.
ServiceCounts ExportServices(const ReceiverRef& receiver, std::string_view tunedFreqText);
