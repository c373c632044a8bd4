#pragma once
// How many handles of any kind this process holds now, as the system's handle table lists them.
// GetProcessHandleCount answers 0 under Wine; the system-wide table is right there too.
// The first exception a process throws makes Wine open a few handles for good, so one is
// thrown before the first count: a leak check around an error must not see those.
int OpenHandleCount();
