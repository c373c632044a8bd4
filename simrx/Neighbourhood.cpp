#include "simrx/Neighbourhood.h"

#include "simrx/Random.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace simrx {
namespace {

constexpr std::array<std::u16string_view, 10> kMultiplexLabels = {
    u"Kelmoor Digital", u"North Band III", u"City Radio Mux", u"Regional DAB 1", u"Coastal Digital",
    u"Metro Ensemble",  u"Valley Radio",   u"National DAB 2", u"Harbour Mux",    u"County Digital",
};

constexpr std::array<std::u16string_view, 24> kAudioLabels = {
    u"Radio Aurora",   u"Coast FM",     u"Jazz Lounge",   u"Classic Gold", u"News 24",        u"Talk Sport Live",
    u"Kids Radio",     u"Country Roads", u"Heart Beat",   u"Rock Radio",   u"Chill Out",      u"Folk Corner",
    u"Radio Kelmoor",  u"Gold Hits",    u"Dance Floor",   u"Oldies Station", u"Metro Talk",   u"Sports Extra",
    u"Radio Verde",    u"Easy Listening", u"Indie Sounds", u"Choral Voices", u"Opera House",  u"Big Band Radio",
};

struct DataService {
    std::u16string_view label;
    std::int32_t kind;
};

constexpr std::array<DataService, 6> kDataServices = {{
    {u"EPG Data", kMotDataKind},
    {u"Slideshow", kMotDataKind},
    {u"Journaline", kJournalineDataKind},
    {u"News Pages", kJournalineDataKind},
    {u"TPEG Traffic", kTransparentDataKind},
    {u"Weather Data", kTransparentDataKind},
}};

// Fisher-Yates with our own generator: the standard shuffle may differ between libraries.
template <class T>
void Shuffle(std::vector<T>& items, Random& random)
{
    for (std::size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[static_cast<std::size_t>(random.between(0, static_cast<std::int32_t>(i - 1)))]);
}

std::vector<std::size_t> ShuffledIndices(std::size_t count, Random& random)
{
    std::vector<std::size_t> indices(count);
    std::iota(indices.begin(), indices.end(), 0);
    Shuffle(indices, random);
    return indices;
}

// Acquisition passes through these stages in this order; the last three are ranges the tuner
// window names as a whole.
constexpr std::size_t kStageSlots = 10;
std::int32_t StageOfSlot(std::size_t slot, Random& random)
{
    static constexpr std::array<std::int32_t, 7> kFixed = {0, 1, 2, 4, 8, 16, 32};
    switch (slot) {
    case 7: return random.between(40, 50);
    case 8: return random.between(51, 70);
    case 9: return random.between(71, 100);
    default: return kFixed.at(slot);
    }
}

std::vector<std::int32_t> Acquisition(Random& random)
{
    std::vector<std::size_t> slots = ShuffledIndices(kStageSlots, random);
    slots.resize(static_cast<std::size_t>(random.between(3, 8)));
    std::sort(slots.begin(), slots.end());
    std::vector<std::int32_t> stages;
    for (const std::size_t slot : slots)
        stages.push_back(StageOfSlot(slot, random));
    return stages;
}

// Qualities between 60 and 95 around a level of the multiplex's own, and now and then a fade:
// the signal sags for a poll, then the lock is gone for two to four polls.
std::vector<PollStep> AfterLock(Random& random)
{
    const double level = random.between(0.010, 0.028);
    std::vector<PollStep> steps;
    while (steps.size() < kScriptedPolls) {
        if (random.chance(1.0 / 45)) {
            steps.push_back({true, random.between(0.05, 0.09), 0});
            for (std::int32_t lost = random.between(2, 4); lost > 0; --lost)
                steps.push_back({false, 0, StageOfSlot(static_cast<std::size_t>(random.between(6, 9)), random)});
        } else {
            steps.push_back({true, std::clamp(level + random.between(-0.008, 0.012), 0.005, 0.04), 0});
        }
    }
    steps.resize(kScriptedPolls);
    return steps;
}

std::vector<Service> Services(std::size_t preset, Random& random)
{
    const auto count = static_cast<std::size_t>(random.between(5, 15));
    const auto dataCount = static_cast<std::size_t>(random.between(1, 3));
    const std::vector<std::size_t> audioOrder = ShuffledIndices(kAudioLabels.size(), random);
    const std::vector<std::size_t> dataOrder = ShuffledIndices(kDataServices.size(), random);
    std::vector<Service> services;
    // Audio services have 16-bit identifiers, data services 32-bit ones with the top bit set,
    // as DAB numbers them: handles therefore come out positive and negative.
    const auto handleBase = static_cast<std::uint32_t>(preset << 8);
    for (std::size_t i = 0; i < count - dataCount; ++i) {
        const std::int32_t kind = random.chance(0.5) ? kAacAudioKind : kMpegAudioKind;
        services.push_back({static_cast<std::int32_t>(0xC001u + handleBase + i), kind, std::u16string(kAudioLabels.at(audioOrder[i]))});
    }
    for (std::size_t i = 0; i < dataCount; ++i) {
        const DataService& data = kDataServices.at(dataOrder[i]);
        services.push_back({static_cast<std::int32_t>(0xE0000001u + handleBase + i), data.kind, std::u16string(data.label)});
    }
    Shuffle(services, random);
    return services;
}

}  // namespace

std::vector<Multiplex> DefaultNeighbourhood(std::uint64_t seed)
{
    Random random(seed);
    std::vector<std::size_t> presets = ShuffledIndices(kPresetFrequencies.size(), random);
    presets.resize(static_cast<std::size_t>(random.between(3, 5)));
    std::sort(presets.begin(), presets.end());
    const std::vector<std::size_t> labels = ShuffledIndices(kMultiplexLabels.size(), random);
    std::vector<Multiplex> band;
    for (const std::size_t preset : presets) {
        Multiplex multiplex;
        multiplex.frequencyMHz = kPresetFrequencies.at(preset);
        multiplex.handle = static_cast<std::int32_t>(0x1000 + preset);
        multiplex.label = kMultiplexLabels.at(labels.at(band.size()));
        multiplex.services = Services(preset, random);
        multiplex.acquisition = Acquisition(random);
        multiplex.afterLock = AfterLock(random);
        band.push_back(std::move(multiplex));
    }
    return band;
}

std::optional<std::uint64_t> ParseSeed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return seed;
}

}  // namespace simrx
