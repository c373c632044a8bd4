#include "receiver/OleErrorText.h"

#include <gtest/gtest.h>

TEST(OleErrorTextOnWindows, KeepsAnAccentedLastCharacter)
{
    EXPECT_EQ(OleErrorMessage("Fr\xE9quence \xE9.", "", 1), "Fr\xE9quence \xE9");
}
