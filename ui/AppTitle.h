#pragma once
// Texts of the application object that follow pure rules.
#include <string>
#include <string_view>

// The application title: the program file's name without its folder, cut at its first full
// stop, every character after the first in lower case ("C:\Tools\PLEXOR.EXE" gives "Plexor").
std::string ApplicationTitle(std::string_view modulePath);

// The text of the default error display: the message with a full stop appended, unless it is
// empty or its last character's code is at most that of the full stop (compared as unsigned).
std::string ErrorDisplayText(std::string_view message);
