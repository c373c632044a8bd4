#include "app/SignalCaptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(SignalCaptions, NamesEveryLockStage)
{
    struct Case { std::int32_t stage; const char* caption; };
    const Case cases[] = {
        {0, "Current Signal: Tuning (No Signal)"},
        {1, "Current Signal: Tuning (FIC_PRESENT)"},
        {2, "Current Signal: Tuning (SW_LOCKED)"},
        {4, "Current Signal: Tuning (AFC_LOCKED)"},
        {8, "Current Signal: Tuning (SCT_LOCKED)"},
        {16, "Current Signal: Tuning (FT_LOCKED)"},
        {32, "Current Signal: Tuning (AGC_LOCKED)"},
        {40, "Current Signal: Tuning (Trying)"},
        {50, "Current Signal: Tuning (Trying)"},
        {51, "Current Signal: Tuning (Good, one sec...)"},
        {70, "Current Signal: Tuning (Good, one sec...)"},
        {71, "Current Signal: Tuning (Almost done!)"},
        {100, "Current Signal: Tuning (Almost done!)"},
        {3, "Current Signal: Tuning (Wait)"},
        {5, "Current Signal: Tuning (Wait)"},
        {33, "Current Signal: Tuning (Wait)"},
        {39, "Current Signal: Tuning (Wait)"},
        {101, "Current Signal: Tuning (Wait)"},
        {-1, "Current Signal: Tuning (Wait)"},
        {-40, "Current Signal: Tuning (Wait)"},
        {std::numeric_limits<std::int32_t>::min(), "Current Signal: Tuning (Wait)"},
        {std::numeric_limits<std::int32_t>::max(), "Current Signal: Tuning (Wait)"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(LockStageCaption(c.stage), c.caption) << c.stage;
}

TEST(SignalCaptions, ShowsTheQualityInDecimalWithAPercentSign)
{
    struct Case { std::int32_t quality; const char* caption; };
    const Case cases[] = {
        {0, "Current Signal: 0%"},
        {87, "Current Signal: 87%"},
        {120, "Current Signal: 120%"},
        {300, "Current Signal: 300%"},
        {std::numeric_limits<std::int32_t>::max(), "Current Signal: 2147483647%"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(QualityCaption(c.quality).c_str(), c.caption) << c.quality;
}

TEST(SignalCaptions, FixedCaptions)
{
    EXPECT_STREQ(NotTunedCaption, "Current Signal: Not Tuned");
    EXPECT_STREQ(TuningStartedCaption, "Current Signal: Tuning, please wait...");
}
