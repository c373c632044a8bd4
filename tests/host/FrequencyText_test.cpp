#include "app/FrequencyText.h"

#include "tests/FrequencyCases.h"
#include "tests/X87Caller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace {

struct Preset { const char* text; double frequency; };
const Preset Presets[] = {{"218.640", 218.640}, {"220.352", 220.352}, {"222.064", 222.064}, {"223.936", 223.936},
                          {"225.648", 225.648}, {"227.360", 227.360}, {"229.072", 229.072}};

void ExpectValidWithValue(std::string_view text, char separator, std::optional<double> frequency)
{
    EXPECT_TRUE(IsFrequencyText(text, separator)) << '"' << text << "\" with '" << separator << "'";
    EXPECT_EQ(FrequencyFromText(text, separator), frequency) << '"' << text << "\" with '" << separator << "'";
}

void ExpectInvalid(std::string_view text, char separator)
{
    EXPECT_FALSE(IsFrequencyText(text, separator)) << '"' << text << "\" with '" << separator << "'";
    EXPECT_EQ(FrequencyFromText(text, separator), std::nullopt) << '"' << text << "\" with '" << separator << "'";
}

}  // namespace

TEST(FrequencyText, PresetsAreValidOnlyWhereTheSeparatorIsAFullStop)
{
    for (const Preset& preset : Presets) {
        ExpectValidWithValue(preset.text, '.', preset.frequency);
        ExpectInvalid(preset.text, ',');
    }
    ExpectValidWithValue("218,640", ',', 218.64);
    ExpectInvalid("218,640", '.');
}

TEST(FrequencyText, FollowsTheGrammarWithAFullStop)
{
    const TextCase cases[] = {
        {"  218.640  ", 218.64},
        {"+218.640", 218.64},
        {"-218.640", -218.64},
        {"218", 218.0},
        {"218.", 218.0},
        {".5", 0.5},
        {"+.5", 0.5},
        {".", 0.0},
        {"  .  ", 0.0},
        {"2.1864e2", 218.64},
        {"1E+3", 1000.0},
        {"25E-1", 2.5},
        {"5e", 5.0},
        {"5e-", 5.0},
        {"5E+ ", 5.0},
        {".e5", 0.0},
        {"0218.6400", 218.64},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"+", std::nullopt},
        {" - ", std::nullopt},
        {"e5", std::nullopt},
        {"+e", std::nullopt},
        {"1,218.640", std::nullopt},
        {"218 640", std::nullopt},
        {"\t218.640", std::nullopt},
        {"218.640\t", std::nullopt},
        {"218.640 MHz", std::nullopt},
        {"x218.640", std::nullopt},
        {"218..640", std::nullopt},
        {"--218", std::nullopt},
        {"+-218", std::nullopt},
        {"2e1.5", std::nullopt},
        {"2ee1", std::nullopt},
        {"2e+-1", std::nullopt},
        {"0x1A", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"218.640\r\n", std::nullopt},
        {"218\0.640"sv, std::nullopt},
        {"218.640\0"sv, std::nullopt},
        {"218\xB7" "640", std::nullopt},
        {"\xEF\xBC\x92\xEF\xBC\x91\xEF\xBC\x98", std::nullopt},  // full-width digits in UTF-8
    };
    for (const TextCase& c : cases) {
        if (c.frequency)
            ExpectValidWithValue(c.text, '.', c.frequency);
        else
            ExpectInvalid(c.text, '.');
    }
}

TEST(FrequencyText, TheNegativeSeparatorAloneIsNegativeZero)
{
    const std::optional<double> frequency = FrequencyFromText("-.", '.');
    ASSERT_TRUE(frequency.has_value());
    EXPECT_EQ(*frequency, 0.0);
    EXPECT_TRUE(std::signbit(*frequency));
}

TEST(FrequencyText, ConvertsToTheNearestDoubleAndRefusesTooLargeValues)
{
    ExpectFrequencyConversionCases();
}

TEST(FrequencyText, LongDigitRunsShiftTheExponentWithoutOverflow)
{
    const std::string nines = std::string(100000, '9') + "e-100000";
    const std::string zeros = "0." + std::string(100000, '0') + "1e100001";
    const std::string manyZerosTooLarge = "1" + std::string(400, '0');
    EXPECT_EQ(FrequencyFromText(nines, '.'), 1.0);
    EXPECT_EQ(FrequencyFromText(zeros, '.'), 1.0);
    EXPECT_EQ(FrequencyFromText(manyZerosTooLarge, '.'), std::nullopt);
}

TEST(FrequencyText, TakesTheSeparatorItIsGiven)
{
    ExpectValidWithValue(" ,5 ", ',', 0.5);
    ExpectValidWithValue(",", ',', 0.0);
    ExpectValidWithValue("2,5e1", ',', 25.0);
    ExpectInvalid("1.218,640", ',');
    ExpectInvalid("2.5", ',');
}

TEST(FrequencyText, RoundsAlikeForEveryCallerAndGivesItsX87UnitBack)
{
    // The 32-bit library rounds 7e22 by an x87 multiplication, which the caller's rounding must not reach.
    for (std::uint16_t controlWord : CallerControlWords) {
        std::optional<double> frequency;
        const X87CallerState left = RunAsX87Caller(controlWord, [&] { frequency = FrequencyFromText("7e22", '.'); });
        EXPECT_EQ(frequency, 7e22) << std::hex << controlWord;
        EXPECT_EQ(left.control, controlWord) << std::hex << controlWord;
        EXPECT_EQ(left.exceptionFlags, X87PrecisionFlag) << std::hex << controlWord;
    }
}
