#include "app/ServiceKeys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

using namespace std::string_literals;

TEST(ServiceKeys, KeyLabelCutsAtTheFirstNulThenTrimsCodesUpToBlankOnTheRight)
{
    struct Case { std::wstring label; std::wstring keyLabel; };
    const Case cases[] = {
        {L"Radio One", L"Radio One"},
        {L"Radio One  \t\r\n\x1F", L"Radio One"},
        {L"  Radio One", L"  Radio One"},             // only the right end is trimmed
        {L"Jazz\\Late", L"Jazz\\Late"},               // a backslash stays: it adds a level of keys
        {L"Caf\u00E9\u00A0", L"Caf\u00E9\u00A0"},     // a no-break space is above U+0020
        {L"Radio!", L"Radio!"},                       // U+0021 stays
        {L"   \t", L""},
        {L"", L""},
        {L"News\0Sport"s, L"News"},
        {L"News  \0Sport"s, L"News"},                 // cut first, then trimmed
        {L"\0Sport"s, L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyLabel(c.label), c.keyLabel) << "label of " << c.label.size() << " characters";
}

TEST(ServiceKeys, PathsLieBelowTheCompanionServicesKeyWithEmptyLabelsLeavingEmptyComponents)
{
    struct Case { std::wstring multiplex; std::wstring service; std::wstring multiplexPath; std::wstring servicePath; };
    const Case cases[] = {
        {L"BBC National DAB ", L"Radio 4 ",
         L"Software\\Kelmoor\\Orvane\\Services\\BBC National DAB",
         L"Software\\Kelmoor\\Orvane\\Services\\BBC National DAB\\Radio 4"},
        {L"Mux", L"Jazz\\Late", L"Software\\Kelmoor\\Orvane\\Services\\Mux", L"Software\\Kelmoor\\Orvane\\Services\\Mux\\Jazz\\Late"},
        {L"  ", L"Radio", L"Software\\Kelmoor\\Orvane\\Services\\", L"Software\\Kelmoor\\Orvane\\Services\\\\Radio"},
        {L"Mux", L"\t", L"Software\\Kelmoor\\Orvane\\Services\\Mux", L"Software\\Kelmoor\\Orvane\\Services\\Mux\\"},
        {L"Mux\0\\Other"s, L"Radio\0\\..\\x"s, L"Software\\Kelmoor\\Orvane\\Services\\Mux",
         L"Software\\Kelmoor\\Orvane\\Services\\Mux\\Radio"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MultiplexKeyPath(c.multiplex), c.multiplexPath);
        EXPECT_EQ(ServiceKeyPath(c.multiplex, c.service), c.servicePath);
    }
}

TEST(ServiceKeys, HandleTextIsSignedDecimal)
{
    EXPECT_EQ(HandleText(0), "0");
    EXPECT_EQ(HandleText(4097), "4097");
    EXPECT_EQ(HandleText(-1), "-1");
    EXPECT_EQ(HandleText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
    EXPECT_EQ(HandleText(std::numeric_limits<std::int32_t>::max()), "2147483647");
}
