#pragma once
// The recent signal qualities behind the graph: one sample a second of locked reception.
#include <array>
#include <cstddef>
#include <cstdint>

struct SignalSamples {
    static constexpr std::size_t count = 76;

    // Index 0 is the oldest sample, index count - 1 the newest.
    std::array<std::uint8_t, count> values{};

    // Every sample back to 0.
    void clear() noexcept;
    // Drops the oldest sample and stores the quality as the newest. A quality above 255 does not
    // fit a sample and is kept as 255 (its low 8 bits would show a strong signal as a weak one).
    void push(std::int32_t quality) noexcept;
};

// The program's one history: all 0 at start, cleared by every tune, pushed by every locked poll.
extern SignalSamples SignalHistory;

void ClearSignalHistory() noexcept;
void PushSignalSample(std::int32_t quality) noexcept;
