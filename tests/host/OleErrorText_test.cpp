#include "receiver/OleErrorText.h"

#include <gtest/gtest.h>

TEST(OleErrorText, TrimsBlanksControlCharactersAndFullStopsAtTheEndOnly)
{
    struct Case { const char* text; const char* trimmed; };
    const Case cases[] = {
        {"Device busy.\r\n", "Device busy"},
        {"  Device. busy", "  Device. busy"},
        {"Tuner failed...", "Tuner failed"},
        {" . \t.", ""},
        {"", ""},
        {"Fr\xE9quence \xE9", "Fr\xE9quence \xE9"},  // Windows-1252 e acute is above code 32
        {"Stop (code 5)", "Stop (code 5)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrimErrorText(c.text), c.trimmed) << c.text;
}

TEST(OleErrorText, PrefersDescriptionThenSystemTextThenTheCode)
{
    struct Case { const char* description; const char* systemText; std::uint32_t code; const char* message; };
    const Case cases[] = {
        {"The tuner is not ready.\r\n", "Unspecified error\r\n", 0x80004005, "The tuner is not ready"},
        {"   ", "Access denied.\r\n", 0x80070005, "Access denied"},
        {"", "", 0x80040154, "OLE error 80040154"},
        {"...", " ", 0x8000FFFF, "OLE error 8000FFFF"},
        {"", "", 0x0000000A, "OLE error 0000000A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OleErrorMessage(c.description, c.systemText, c.code), c.message) << c.description;
}
