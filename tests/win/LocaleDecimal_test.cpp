#include "app/FrequencyText.h"
#include "app/LocaleDecimal.h"
#include "UserDecimalSeparator.h"

#include <gtest/gtest.h>

TEST(LocaleDecimal, ReadsTheUsersCurrentSeparatorOnEveryCall)
{
    {
        UserDecimalSeparator comma(",");
        EXPECT_EQ(LocaleDecimalSeparator(), ',');
        EXPECT_EQ(FrequencyFromText("218,640", LocaleDecimalSeparator()), 218.64);
        EXPECT_FALSE(IsFrequencyText("218.640", LocaleDecimalSeparator()));
    }
    {
        UserDecimalSeparator point(".");
        EXPECT_EQ(LocaleDecimalSeparator(), '.');
        EXPECT_TRUE(IsFrequencyText("218.640", LocaleDecimalSeparator()));
    }
}

TEST(LocaleDecimal, TakesTheFirstCharacterOfALongerSeparator)
{
    UserDecimalSeparator twoCharacters(",.");
    EXPECT_EQ(LocaleDecimalSeparator(), ',');
}
