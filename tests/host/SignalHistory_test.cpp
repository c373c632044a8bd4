#include "app/SignalHistory.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
bool AllZero(const SignalSamples& samples)
{
    for (std::uint8_t value : samples.values)
        if (value != 0)
            return false;
    return true;
}
}  // namespace

TEST(SignalHistory, ProgramHistoryStartsEmptyAndTheFreeOperationsActOnIt)
{
    EXPECT_TRUE(AllZero(SignalHistory));
    PushSignalSample(42);
    PushSignalSample(7);
    EXPECT_EQ(SignalHistory.values[74], 42);
    EXPECT_EQ(SignalHistory.values[75], 7);
    ClearSignalHistory();
    EXPECT_TRUE(AllZero(SignalHistory));
}

TEST(SignalHistory, PushMovesEverySampleOneTowardsTheOldestAndDropsIt)
{
    SignalSamples samples;
    for (int quality = 1; quality <= 76; ++quality)
        samples.push(quality);
    for (std::size_t i = 0; i < SignalSamples::count; ++i)
        EXPECT_EQ(samples.values[i], i + 1) << i;

    samples.push(200);
    EXPECT_EQ(samples.values.front(), 2);
    EXPECT_EQ(samples.values[74], 76);
    EXPECT_EQ(samples.values.back(), 200);

    samples.clear();
    EXPECT_TRUE(AllZero(samples));
}

TEST(SignalHistory, QualitiesOutsideASampleAreStoredSaturated)
{
    struct Case { std::int32_t quality; int stored; };
    const Case cases[] = {
        {0, 0}, {100, 100}, {254, 254}, {255, 255},
        {256, 255}, {300, 255}, {511, 255}, {std::numeric_limits<std::int32_t>::max(), 255},
        {-1, 0}, {std::numeric_limits<std::int32_t>::min(), 0},
    };
    for (const Case& c : cases) {
        SignalSamples samples;
        samples.push(c.quality);
        EXPECT_EQ(samples.values.back(), c.stored) << c.quality;
    }
}
