#include "app/SignalHistory.h"

#include <algorithm>

SignalSamples SignalHistory;

void SignalSamples::clear() noexcept { values.fill(0); }

void SignalSamples::push(std::int32_t quality) noexcept
{
    std::copy(values.begin() + 1, values.end(), values.begin());
    values.back() = static_cast<std::uint8_t>(std::clamp<std::int32_t>(quality, 0, 255));
}

void ClearSignalHistory() noexcept { SignalHistory.clear(); }

void PushSignalSample(std::int32_t quality) noexcept { SignalHistory.push(quality); }
