#pragma once
// How many handles of any kind this process holds now, as the system's handle table lists them.
// GetProcessHandleCount answers 0 under Wine; the system-wide table is right there too.
int OpenHandleCount();
