#include "app/LocaleDecimal.h"

#include <windows.h>

char LocaleDecimalSeparator()
{
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) == 0 || separator[0] == '\0')
        return '.';
    return separator[0];
}
