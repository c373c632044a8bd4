#pragma once
// The Band III neighbourhood the stand-in receives when no scenario names one.
#include "simrx/Scenario.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace simrx {

// The preset frequencies of the tuner window, in MHz.
inline constexpr std::array<double, 7> kPresetFrequencies = {218.640, 220.352, 222.064, 223.936, 225.648, 227.360, 229.072};

inline constexpr std::uint64_t kDefaultSeed = 1;

// How many polls the default neighbourhood scripts after a lock before it repeats itself:
// an hour of the tuner window's one poll a second.
inline constexpr std::size_t kScriptedPolls = 3600;

// Multiplexes on some of the presets, none on the others, all of it decided by the seed.
std::vector<Multiplex> DefaultNeighbourhood(std::uint64_t seed);

// A seed written in decimal or as 0x and hexadecimal digits; blanks around it are allowed.
std::optional<std::uint64_t> ParseSeed(std::string_view text);

}  // namespace simrx
