#pragma once
// The receiver's behaviour without its faults: tuning, acquisition and lock over successive
// polls, the signal error figure, and the walk over the services of the tuned multiplex.
#include "simrx/Scenario.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace simrx {

// What the figure reads while there is no lock: a quality of 0.
inline constexpr double kNoSignalError = 0.1;

class BandSimulation {
public:
    BandSimulation(std::vector<Multiplex> band, std::vector<KindAnswer> kindAnswers);

    // Starts over on the multiplex within 0.001 MHz of the frequency, if any: stage 0, no lock,
    // no service walk.
    void tune(double frequencyMHz);
    // One poll: moves acquisition or the signal on by a step and tells whether it is locked.
    // Without a multiplex the stage stays 0 and lock never comes.
    bool poll();
    std::int32_t lockStage() const noexcept { return stage_; }
    double signalError() const noexcept { return signalError_; }

    // 0 when no multiplex is tuned.
    std::int32_t multiplexHandle() const noexcept;
    // 0 when the multiplex has no services or none is tuned.
    std::int32_t firstService();
    // 0 after the last service, and again on every call until the walk starts over.
    std::int32_t nextService();

    std::optional<std::int32_t> serviceKind(std::int32_t handle) const;
    // The tuned multiplex and its services are searched first, so that the handles of a
    // scenario may repeat between multiplexes.
    const std::u16string* label(std::int32_t handle) const;
    std::int32_t isAudioKind(std::int32_t kind) const;

private:
    const Multiplex* tuned() const noexcept;
    const Service* findService(std::int32_t handle) const;

    std::vector<Multiplex> band_;
    std::vector<KindAnswer> kindAnswers_;
    std::optional<std::size_t> tuned_;
    std::uint64_t polls_ = 0;
    std::int32_t stage_ = 0;
    double signalError_ = kNoSignalError;
    std::size_t walk_ = 0;
};

}  // namespace simrx
