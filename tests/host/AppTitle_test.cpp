#include "ui/AppTitle.h"

#include <gtest/gtest.h>

TEST(AppTitle, IsTheFileNameCutAtItsFirstFullStopInTitleCase)
{
    struct Case { const char* path; const char* title; };
    const Case cases[] = {
        {"C:\\Program Files\\Plexor\\Plexor.exe", "Plexor"},
        {"Z:\\work\\PLEXOR.EXE", "Plexor"},
        {"plexor.exe", "plexor"},
        {"C:\\tools\\my.plexor.build.exe", "my"},
        {"C:\\dir.with.dots\\Tuner", "Tuner"},
        {"/unix/style/Plexor.exe", "Plexor"},
        {"C:\\.hidden.exe", ""},
        {"", ""},
        {"C:\\X\\\xC9TAT.EXE", "\xC9tat"},  // only ASCII letters change case
    };
    for (const Case& c : cases)
        EXPECT_EQ(ApplicationTitle(c.path), c.title) << c.path;
}

TEST(AppTitle, ErrorTextGetsAFullStopUnlessItEndsAtOrBelowOne)
{
    struct Case { const char* message; const char* shown; };
    const Case cases[] = {
        {"Interface not supported", "Interface not supported."},
        {"Failed to set data for 'ServiceHandle'", "Failed to set data for 'ServiceHandle'"},
        {"OLE error 80040154", "OLE error 80040154."},
        {"Stopped (code 5)", "Stopped (code 5)"},
        {"Done.", "Done."},
        {"Trailing dash -", "Trailing dash -"},
        {"Ends in a comma,", "Ends in a comma,"},
        {"Caf\xE9", "Caf\xE9."},
        {"", ""},
        {"Line\r\n", "Line\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorDisplayText(c.message), c.shown) << c.message;
}
