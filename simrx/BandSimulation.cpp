#include "simrx/BandSimulation.h"

#include <cmath>

namespace simrx {

BandSimulation::BandSimulation(std::vector<Multiplex> band, std::vector<KindAnswer> kindAnswers)
    : band_(std::move(band)), kindAnswers_(std::move(kindAnswers))
{
    kindAnswers_.push_back({kMpegAudioKind, kAudioAnswer});
    kindAnswers_.push_back({kAacAudioKind, kAudioAnswer});
}

void BandSimulation::tune(double frequencyMHz)
{
    tuned_.reset();
    for (std::size_t i = 0; i < band_.size() && !tuned_; ++i)
        if (std::fabs(band_[i].frequencyMHz - frequencyMHz) < 0.001)
            tuned_ = i;
    polls_ = 0;
    stage_ = 0;
    signalError_ = kNoSignalError;
    walk_ = tuned() ? tuned()->services.size() : 0;
}

bool BandSimulation::poll()
{
    const Multiplex* multiplex = tuned();
    if (!multiplex)
        return false;
    const std::uint64_t poll = polls_++;
    if (poll < multiplex->acquisition.size()) {
        stage_ = multiplex->acquisition[poll];
        return false;
    }
    if (multiplex->afterLock.empty()) {
        signalError_ = kDefaultSignalError;
        return true;
    }
    const PollStep& step = multiplex->afterLock[(poll - multiplex->acquisition.size()) % multiplex->afterLock.size()];
    // The stage stays where the last unlocked poll left it.
    if (!step.locked)
        stage_ = step.stage;
    signalError_ = step.locked ? step.signalError : kNoSignalError;
    return step.locked;
}

const Multiplex* BandSimulation::tuned() const noexcept
{
    return tuned_ ? &band_[*tuned_] : nullptr;
}

std::int32_t BandSimulation::multiplexHandle() const noexcept
{
    return tuned() ? tuned()->handle : 0;
}

std::int32_t BandSimulation::firstService()
{
    walk_ = 0;
    const Multiplex* multiplex = tuned();
    return multiplex && !multiplex->services.empty() ? multiplex->services.front().handle : 0;
}

std::int32_t BandSimulation::nextService()
{
    const Multiplex* multiplex = tuned();
    if (!multiplex || walk_ + 1 >= multiplex->services.size()) {
        walk_ = multiplex ? multiplex->services.size() : 0;
        return 0;
    }
    return multiplex->services[++walk_].handle;
}

const Service* BandSimulation::findService(std::int32_t handle) const
{
    if (const Multiplex* multiplex = tuned())
        for (const Service& service : multiplex->services)
            if (service.handle == handle)
                return &service;
    for (const Multiplex& multiplex : band_)
        for (const Service& service : multiplex.services)
            if (service.handle == handle)
                return &service;
    return nullptr;
}

std::optional<std::int32_t> BandSimulation::serviceKind(std::int32_t handle) const
{
    if (const Service* service = findService(handle))
        return service->kind;
    return std::nullopt;
}

const std::u16string* BandSimulation::label(std::int32_t handle) const
{
    if (const Multiplex* multiplex = tuned(); multiplex && multiplex->handle == handle)
        return &multiplex->label;
    if (const Service* service = findService(handle))
        return &service->label;
    for (const Multiplex& multiplex : band_)
        if (multiplex.handle == handle)
            return &multiplex.label;
    return nullptr;
}

std::int32_t BandSimulation::isAudioKind(std::int32_t kind) const
{
    for (const KindAnswer& answer : kindAnswers_)
        if (answer.kind == kind)
            return answer.answer;
    return 0;
}

}  // namespace simrx
