#include "app/FrequencyText.h"
#include "app/LocaleDecimal.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Sets the user's decimal separator (in the test prefix) and puts the previous one back.
class UserDecimalSeparator {
public:
    explicit UserDecimalSeparator(const char* separator)
    {
        char previous[8] = {};
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous, sizeof previous);
        previous_ = previous;
        EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator));
    }
    ~UserDecimalSeparator() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_.c_str()); }
    UserDecimalSeparator(const UserDecimalSeparator&) = delete;
    UserDecimalSeparator& operator=(const UserDecimalSeparator&) = delete;

private:
    std::string previous_;
};

}  // namespace

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
