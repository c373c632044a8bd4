#include "controls/DropShadow.h"

#include <gtest/gtest.h>

namespace {
struct ShadowCase {
    unsigned long platformId, major, minor;
    bool shadow;
};

// Windows 9x/Me report platform 1 (and Win32s 0): never a shadow, whatever the numbers say.
const ShadowCase shadowCases[] = {
    {1, 4, 0, false},  {1, 4, 90, false}, {1, 5, 1, false}, {1, 6, 0, false}, {0, 10, 0, false},
    {2, 4, 0, false},  {2, 5, 0, false},  {2, 5, 1, true},  {2, 5, 2, true},  {2, 6, 0, true},
    {2, 6, 1, true},   {2, 10, 0, true},  {2, 4, 9, false}, {3, 6, 1, false},
};
}  // namespace

TEST(DropShadow, OnlyNt51AndLaterAskForAShadow)
{
    for (const ShadowCase& c : shadowCases)
        EXPECT_EQ(WantsDropShadow(c.platformId, c.major, c.minor), c.shadow)
            << "platform " << c.platformId << ", version " << c.major << "." << c.minor;
}
