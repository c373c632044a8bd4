#include "ui/HintPlacement.h"

#include <gtest/gtest.h>

TEST(HintPlacement, BelowTheCursorAndKeptOnTheScreen)
{
    const ScreenRect screen{0, 0, 1024, 768};
    const struct {
        const char* where;
        ScreenPoint pointer;
        ScreenRect expected;
    } cases[] = {
        {"in the open: below-right of the cursor", {100, 200}, {100, 220, 160, 236}},
        {"near the right edge: moved left", {1000, 200}, {964, 220, 1024, 236}},
        {"near the bottom: above the pointer", {100, 740}, {100, 724, 160, 740}},
        {"bottom right corner", {1023, 767}, {964, 751, 1024, 767}},
        {"exactly fits below", {0, 732}, {0, 752, 60, 768}},
        {"left of the screen", {-30, 200}, {0, 220, 60, 236}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceHint(c.pointer, 60, 16, 20, screen), c.expected) << c.where;
}

TEST(HintPlacement, SecondMonitorLeftOfThePrimary)
{
    const ScreenRect screen{-1280, 0, 0, 1024};
    EXPECT_EQ(PlaceHint({-10, 100}, 60, 16, 20, screen), (ScreenRect{-60, 120, 0, 136}));
}

TEST(HintPlacement, HintLargerThanTheScreenStartsAtItsTopLeft)
{
    const ScreenRect screen{0, 0, 100, 50};
    EXPECT_EQ(PlaceHint({50, 25}, 300, 80, 20, screen), (ScreenRect{0, 0, 300, 80}));
}
