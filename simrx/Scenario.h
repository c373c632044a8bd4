#pragma once
// What the stand-in receiver simulates: the multiplexes it can receive, how each one locks and
// fades, and the faults and delays injected into its operations. Built from the seed (the
// default neighbourhood) or read from a scenario file; the format is in simrx/README.md.
#include "simrx/Operation.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace simrx {

struct Service {
    std::int32_t handle = 0;
    std::int32_t kind = 0;
    std::u16string label;
};

// One poll after acquisition: locked with a signal error figure, or lock lost at a stage.
struct PollStep {
    bool locked = true;
    double signalError = 0;
    std::int32_t stage = 0;
};

struct Multiplex {
    double frequencyMHz = 0;
    std::int32_t handle = 0;
    std::u16string label;
    std::vector<Service> services;
    // The stage of each poll before the first lock.
    std::vector<std::int32_t> acquisition;
    // The polls after it, repeated for as long as the tune lasts.
    std::vector<PollStep> afterLock;
};

// Service kinds as the component reports them, after the DAB audio and data service
// component types: audio in MPEG (0) or AAC (63); data as MOT objects (60), Journaline (44)
// or transparent data (5). IsAudioKind answers -1, the automation "true", for the audio ones.
inline constexpr std::int32_t kMpegAudioKind = 0;
inline constexpr std::int32_t kAacAudioKind = 63;
inline constexpr std::int32_t kMotDataKind = 60;
inline constexpr std::int32_t kJournalineDataKind = 44;
inline constexpr std::int32_t kTransparentDataKind = 5;
inline constexpr std::int32_t kAudioAnswer = -1;

// What IsAudioKind answers for a kind.
struct KindAnswer {
    std::int32_t kind = 0;
    std::int32_t answer = 0;
};

// Which calls of an operation, counted from 1: the first-th only, or it and every later one.
struct CallSelector {
    std::uint32_t first = 1;
    bool andLater = true;
    bool matches(std::uint64_t callNumber) const noexcept
    {
        return callNumber == first || (andLater && callNumber > first);
    }
};

struct ErrorInfoText {
    std::u16string source;
    std::u16string description;
    std::u16string helpFile;
    std::uint32_t helpContext = 0;
};

struct Fault {
    Operation operation = Operation::Tune;
    CallSelector calls;
    std::int32_t result = 0;
    std::optional<ErrorInfoText> errorInfo;
};

struct Delay {
    Operation operation = Operation::Tune;
    CallSelector calls;
    std::uint32_t milliseconds = 0;
};

struct Scenario {
    // Empty: the default neighbourhood stays.
    std::vector<Multiplex> multiplexes;
    std::vector<KindAnswer> kindAnswers;
    std::vector<Fault> faults;
    std::vector<Delay> delays;
};

// A scenario that cannot be read; what() names the line and the fault.
class ScenarioError : public std::runtime_error {
public:
    ScenarioError(std::size_t line, const std::string& fault)
        : std::runtime_error("line " + std::to_string(line) + ": " + fault), line_(line) {}
    std::size_t line() const noexcept { return line_; }

private:
    std::size_t line_;
};

// Reads a scenario from its UTF-8 text. Raises ScenarioError at the first line in fault.
Scenario ParseScenario(std::string_view text);

// What a multiplex of a scenario does when it says nothing of acquisition or signal.
inline const std::vector<std::int32_t> kDefaultAcquisition = {2, 32, 60};
inline constexpr double kDefaultSignalError = 0.02;

}  // namespace simrx
