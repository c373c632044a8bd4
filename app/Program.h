#pragma once
// The program from start to end: COM, the main window and its message loop, and the
// shutdown order (the window, then the module state with the receiver, then COM).
int RunPlexor();
