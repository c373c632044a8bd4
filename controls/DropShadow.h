#pragma once
// Whether the hint window asks the system for a drop shadow: only NT 5.1 (XP) and later
// offer one. Kept free of <windows.h> so the rule is tested everywhere.

// The platform identifier of an NT system (VER_PLATFORM_WIN32_NT).
inline constexpr unsigned long PlatformWin32Nt = 2;

bool WantsDropShadow(unsigned long platformId, unsigned long majorVersion, unsigned long minorVersion);
