#pragma once
// Sets the user's decimal separator (in the test prefix) and puts the previous one back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

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
