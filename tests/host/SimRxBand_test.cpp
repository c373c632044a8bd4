#include "simrx/BandSimulation.h"
#include "simrx/CallLogText.h"
#include "simrx/FaultPlan.h"
#include "simrx/Neighbourhood.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace simrx;

namespace {

// The tuner window's rule, to the nearest integer.
long Quality(double signalError)
{
    return std::lround(100 - 1000 * signalError);
}

bool IsNamedStage(std::int32_t stage)
{
    return stage == 0 || stage == 1 || stage == 2 || stage == 4 || stage == 8 || stage == 16 || stage == 32 ||
           (stage >= 40 && stage <= 100);
}

BandSimulation Simulate(const char* scenario)
{
    Scenario parsed = ParseScenario(scenario);
    return BandSimulation(std::move(parsed.multiplexes), std::move(parsed.kindAnswers));
}

}  // namespace

TEST(SimRxNeighbourhood, PutsPlausibleMultiplexesOnSomePresetsOnly)
{
    for (std::uint64_t seed = 0; seed < 40; ++seed) {
        SCOPED_TRACE(seed);
        const std::vector<Multiplex> band = DefaultNeighbourhood(seed);
        ASSERT_GE(band.size(), 3u);
        ASSERT_LE(band.size(), 5u);
        const BandSimulation simulation(band, {});
        std::set<double> frequencies;
        std::set<std::int32_t> handles;
        for (const Multiplex& multiplex : band) {
            EXPECT_NE(std::find(kPresetFrequencies.begin(), kPresetFrequencies.end(), multiplex.frequencyMHz), kPresetFrequencies.end());
            EXPECT_TRUE(frequencies.insert(multiplex.frequencyMHz).second);
            EXPECT_FALSE(multiplex.label.empty());
            EXPECT_LE(multiplex.label.size(), 16u);
            EXPECT_TRUE(handles.insert(multiplex.handle).second);
            EXPECT_GE(multiplex.services.size(), 5u);
            EXPECT_LE(multiplex.services.size(), 15u);
            std::size_t audio = 0;
            std::set<std::u16string> labels;
            for (const Service& service : multiplex.services) {
                EXPECT_NE(service.handle, 0);
                EXPECT_TRUE(handles.insert(service.handle).second) << "handle " << service.handle;
                EXPECT_LE(service.label.size(), 16u);
                EXPECT_TRUE(labels.insert(service.label).second) << "two services of a multiplex share a label";
                audio += simulation.isAudioKind(service.kind) != 0;
            }
            EXPECT_GT(audio, 0u);
            EXPECT_LT(audio, multiplex.services.size()) << "no data service";
            EXPECT_GE(multiplex.acquisition.size(), 3u);
            EXPECT_LE(multiplex.acquisition.size(), 8u);
            for (const std::int32_t stage : multiplex.acquisition)
                EXPECT_TRUE(IsNamedStage(stage)) << stage;
        }
        EXPECT_NE(handles.count(0), 1u);
    }
}

TEST(SimRxNeighbourhood, SignalGivesQualitiesMostlyFrom60To95WithShortFades)
{
    for (std::uint64_t seed = 0; seed < 10; ++seed) {
        SCOPED_TRACE(seed);
        for (const Multiplex& multiplex : DefaultNeighbourhood(seed)) {
            std::size_t locked = 0, typical = 0, fades = 0, lostRun = 0;
            for (const PollStep& step : multiplex.afterLock) {
                if (step.locked) {
                    ++locked;
                    const long quality = Quality(step.signalError);
                    typical += quality >= 60 && quality <= 95;
                    EXPECT_GE(quality, 0);
                    if (lostRun) {
                        EXPECT_GE(lostRun, 2u);
                        EXPECT_LE(lostRun, 4u);
                    }
                    lostRun = 0;
                } else {
                    EXPECT_TRUE(IsNamedStage(step.stage)) << step.stage;
                    fades += lostRun++ == 0;
                }
            }
            EXPECT_GT(typical, locked * 95 / 100);
            EXPECT_GT(fades, 10u) << "an hour of polls without the occasional fade";
            EXPECT_LT(fades, locked / 20);
        }
    }
}

TEST(SimRxNeighbourhood, SameSeedGivesTheSameNeighbourhoodAndAnotherSeedAnother)
{
    const auto figures = [](std::uint64_t seed) {
        std::vector<double> all;
        for (const Multiplex& multiplex : DefaultNeighbourhood(seed)) {
            all.push_back(multiplex.frequencyMHz);
            all.push_back(multiplex.handle);
            all.push_back(static_cast<double>(multiplex.services.size()));
            for (const PollStep& step : multiplex.afterLock)
                all.push_back(step.locked ? step.signalError : -step.stage);
        }
        return all;
    };
    const auto labels = [](std::uint64_t seed) {
        std::u16string all;
        for (const Multiplex& multiplex : DefaultNeighbourhood(seed)) {
            all += multiplex.label + u'|';
            for (const Service& service : multiplex.services)
                all += service.label + u'|';
        }
        return all;
    };
    EXPECT_EQ(figures(7), figures(7));
    EXPECT_EQ(labels(7), labels(7));
    EXPECT_NE(figures(7), figures(8));
    EXPECT_NE(labels(7), labels(8));
}

TEST(SimRxNeighbourhood, SeedTextIsDecimalOrHexadecimal)
{
    struct Case { const char* text; std::optional<std::uint64_t> seed; };
    const Case cases[] = {
        {"42", 42}, {" 42\t", 42}, {"0x2A", 42}, {"0XfF", 255}, {"18446744073709551615", 18446744073709551615ull},
        {"", std::nullopt}, {"  ", std::nullopt}, {"-1", std::nullopt}, {"4x", std::nullopt}, {"0x", std::nullopt},
        {"18446744073709551616", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseSeed(c.text), c.seed) << '"' << c.text << '"';
}

TEST(SimRxBand, DefaultNeighbourhoodLocksOnAPresetWithAMultiplexAndNeverOnOneWithout)
{
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        SCOPED_TRACE(seed);
        const std::vector<Multiplex> band = DefaultNeighbourhood(seed);
        BandSimulation simulation(band, {});
        for (const double preset : kPresetFrequencies) {
            const bool carries = std::any_of(band.begin(), band.end(), [&](const Multiplex& m) { return m.frequencyMHz == preset; });
            simulation.tune(preset);
            EXPECT_EQ(simulation.lockStage(), 0);
            int firstLock = 0;
            for (int poll = 1; poll <= 40 && !firstLock; ++poll) {
                if (simulation.poll()) {
                    firstLock = poll;
                } else if (!carries) {
                    EXPECT_EQ(simulation.lockStage(), 0);
                }
            }
            if (carries) {
                EXPECT_GE(firstLock, 4) << preset << ": locked before three polls of acquisition";
                EXPECT_LE(firstLock, 9) << preset;
                EXPECT_NE(simulation.multiplexHandle(), 0);
            } else {
                EXPECT_EQ(firstLock, 0) << preset;
                EXPECT_EQ(simulation.multiplexHandle(), 0);
                EXPECT_EQ(simulation.firstService(), 0);
                EXPECT_EQ(simulation.signalError(), kNoSignalError);
            }
        }
    }
}

TEST(SimRxBand, PollsWalkThroughAcquisitionThenTheSignalScriptOverAndOver)
{
    BandSimulation simulation = Simulate("multiplex 218.640 7 M\nacquire 1 45 80\nsignal 0.0125 lost:60 lost:8 0.03\n");
    simulation.tune(218.6405);
    struct Poll { bool locked; std::int32_t stage; double signalError; };
    const Poll expected[] = {
        {false, 1, kNoSignalError}, {false, 45, kNoSignalError}, {false, 80, kNoSignalError},
        {true, 80, 0.0125},         {false, 60, kNoSignalError}, {false, 8, kNoSignalError},
        {true, 8, 0.03},            {true, 8, 0.0125},           {false, 60, kNoSignalError},
    };
    for (const Poll& poll : expected) {
        EXPECT_EQ(simulation.poll(), poll.locked);
        EXPECT_EQ(simulation.lockStage(), poll.stage);
        EXPECT_EQ(simulation.signalError(), poll.signalError);
    }
    simulation.tune(218.640);
    EXPECT_EQ(simulation.lockStage(), 0) << "a new tune starts acquisition over";
    EXPECT_FALSE(simulation.poll());
    EXPECT_EQ(simulation.lockStage(), 1);
}

TEST(SimRxBand, TuneMatchesAMultiplexWithinAThousandthOfAMegahertz)
{
    BandSimulation simulation = Simulate("multiplex 218.640 7 M\nacquire\n");
    struct Case { double frequency; bool locks; };
    const Case cases[] = {{218.640, true}, {218.6409, true}, {218.6391, true}, {218.6411, false}, {218.6389, false},
                          {0, false}, {NAN, false}, {INFINITY, false}};
    for (const Case& c : cases) {
        simulation.tune(c.frequency);
        EXPECT_EQ(simulation.poll(), c.locks) << c.frequency;
    }
}

TEST(SimRxBand, ServiceWalkKeepsItsPlaceAcrossOtherCallsAndEndsWithZero)
{
    BandSimulation simulation = Simulate(
        "multiplex 218.640 100 \"Mux A\"\n"
        "service 0 audio \"Zero\"\n"
        "service -7 data \"Minus\"\n"
        "service 100 audio \"Same as mux\"\n"
        "multiplex 220.352 200 \"Mux B\"\n"
        "service 300 data \"Other\"\n");
    EXPECT_EQ(simulation.nextService(), 0) << "no walk before a tune";
    simulation.tune(218.640);
    EXPECT_EQ(simulation.nextService(), 0) << "no walk before the first service";
    EXPECT_EQ(simulation.firstService(), 0);
    EXPECT_EQ(*simulation.label(0), u"Zero");
    EXPECT_EQ(simulation.serviceKind(0), kAacAudioKind);
    simulation.poll();
    EXPECT_EQ(*simulation.label(simulation.multiplexHandle()), u"Mux A") << "the tuned multiplex comes before a service of its handle";
    EXPECT_EQ(simulation.nextService(), -7);
    EXPECT_EQ(simulation.serviceKind(300), kMotDataKind) << "services of other multiplexes are known by handle";
    EXPECT_EQ(simulation.nextService(), 100);
    EXPECT_EQ(simulation.nextService(), 0);
    EXPECT_EQ(simulation.nextService(), 0);
    EXPECT_EQ(simulation.firstService(), 0);
    EXPECT_EQ(simulation.nextService(), -7) << "the walk starts over";
    EXPECT_EQ(*simulation.label(200), u"Mux B");
    EXPECT_EQ(simulation.label(12345), nullptr);
    EXPECT_EQ(simulation.serviceKind(200), std::nullopt) << "a multiplex handle is not a service";
    simulation.tune(220.352);
    EXPECT_EQ(simulation.nextService(), 0) << "a tune ends the walk";
    EXPECT_EQ(simulation.firstService(), 300);
    EXPECT_EQ(simulation.nextService(), 0);
}

TEST(SimRxBand, IsAudioKindAnswersForTheAudioKindsAndAsTheScenarioSays)
{
    const BandSimulation simulation = Simulate("kind 5 1\nkind 63 0\n");
    struct Case { std::int32_t kind; std::int32_t answer; };
    const Case cases[] = {{kMpegAudioKind, kAudioAnswer}, {kAacAudioKind, 0}, {kMotDataKind, 0}, {5, 1}, {-1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(simulation.isAudioKind(c.kind), c.answer) << c.kind;
}

TEST(SimRxFaultPlan, NamesTheFaultAndDelayOfEachCallByItsNumber)
{
    FaultPlan plan(ParseScenario(
        "fail GetLabel 2 0x80004005 src \"second call\"\n"
        "fail GetLabel 4+ 0x8000FFFF\n"
        "fail GetLabel every 0x80070005\n"
        "delay GetLabel 30 3\n"
        "delay GetLocked 5\n"));
    struct Call { Operation operation; std::int32_t result; std::uint32_t delay; };
    const Call calls[] = {
        {Operation::GetLabel, static_cast<std::int32_t>(0x80070005), 0},
        {Operation::GetLocked, 0, 5},
        {Operation::GetLabel, static_cast<std::int32_t>(0x80004005), 0},
        {Operation::GetLabel, static_cast<std::int32_t>(0x80070005), 30},
        {Operation::GetLabel, static_cast<std::int32_t>(0x8000FFFF), 0},
        {Operation::GetLabel, static_cast<std::int32_t>(0x8000FFFF), 0},
        {Operation::Tune, 0, 0},
        {Operation::GetLocked, 0, 5},
    };
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        const Injection injection = plan.nextCall(calls[i].operation);
        EXPECT_EQ(injection.fault ? injection.fault->result : 0, calls[i].result) << "call " << i;
        EXPECT_EQ(injection.delayMilliseconds, calls[i].delay) << "call " << i;
    }
}

TEST(SimRxCallLog, LinesNameTheCallItsResultAndWhatItGave)
{
    struct Case { std::string line; const char* expected; };
    const Case cases[] = {
        {LogLine(Operation::Tune, LogValue(218.64), 0, LogValue(0)), "Tune(218.64) -> 0x00000000 0"},
        {LogLine(Operation::GetSignalError, "", 1, LogValue(0.0125)), "GetSignalError() -> 0x00000001 0.0125"},
        {LogLine(Operation::GetSignalError, "", 0, LogValue(NAN)), "GetSignalError() -> 0x00000000 nan"},
        {LogLine(Operation::GetLabel, LogValue(-5), static_cast<std::int32_t>(0x80004005), ""), "GetLabel(-5) -> 0x80004005"},
        {LogLine(Operation::GetLabel, LogValue(4096), 0, LogValue(std::u16string_view(u"A\0\"\u00E9 ", 5))),
         R"(GetLabel(4096) -> 0x00000000 "A\0\"\xE9 ")"},
        {LogLine(Operation::Create, "", 0, ""), "Create() -> 0x00000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, c.expected);
}
