#include "controls/DropShadow.h"

bool WantsDropShadow(unsigned long platformId, unsigned long majorVersion, unsigned long minorVersion)
{
    if (platformId != PlatformWin32Nt)
        return false;
    return majorVersion > 5 || (majorVersion == 5 && minorVersion >= 1);
}
